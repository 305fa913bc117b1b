#!/usr/bin/env bash
# Draws the application shell's pictures: the program's icon and the image document's icon (16, 32
# and 48 pixels each), the colour dialog's icon and the tile of the empty MDI area. Usage: make_shell_images.sh <output folder>
set -euo pipefail

OUT="${1:?usage: make_shell_images.sh <output folder>}"
mkdir -p "$OUT"

# Writes the icon file with one picture of each size given, each drawn by the function named.
make_ico() {
  local draw=$1 ico=$2
  shift 2
  local pngs=()
  for size in "$@"; do
    "$draw" "$size" "$OUT/$draw$size.png"
    pngs+=("$OUT/$draw$size.png")
  done
  convert "${pngs[@]}" "ICO:$ico"
  rm -f "${pngs[@]}"
}

# A camera-like frame with a pencil: capture and annotation.
icon() {
  local size=$1 file=$2
  local s=$((size - 1)) w=$((size / 12 + 1))
  convert -size "${size}x${size}" xc:none \
    -fill '#1E5AA8' -stroke '#0A2A55' -strokewidth "$w" -draw "roundrectangle 1,$((size / 5)) $s,$s $((size / 8)),$((size / 8))" \
    -fill '#DDEBFA' -stroke none -draw "circle $((size / 2)),$((size * 3 / 5)) $((size / 2)),$((size * 2 / 5))" \
    -fill '#F4B400' -draw "polygon $((size / 2)),$((size * 3 / 5)) $s,0 $s,$((size / 6))" \
    -define png:exclude-chunks=date,time "PNG32:$file"
}
make_ico icon "$OUT/pixolet.ico" 16 32 48

# The image document's icon, shown by its frames' captions, the menu bar and the tabs: a page with a
# folded corner holding a landscape (sky, sun, green hill). No pixel is black, so it never reads
# as text on the bars.
document_icon() {
  local size=$1 file=$2
  local s=$((size - 1)) m=$((size / 8)) f=$((size / 4)) w=$(((size + 8) / 24))
  local l=$((m + 1)) r=$((s - m - 1)) t=$((size * 3 / 8)) b=$((s - m - 1))
  convert -size "${size}x${size}" xc:none \
    -fill '#FFFFFF' -stroke '#3C5A78' -strokewidth "$w" \
    -draw "polygon $m,0 $((s - m - f)),0 $((s - m)),$f $((s - m)),$s $m,$s" \
    -fill '#C9D6E3' -draw "polygon $((s - m - f)),0 $((s - m - f)),$f $((s - m)),$f" \
    -stroke none -fill '#8EC5F0' -draw "rectangle $l,$t $r,$b" \
    -fill '#F4B400' -draw "circle $((l + (r - l) / 4)),$((t + (b - t) / 3)) $((l + (r - l) / 4 + size / 10 + 1)),$((t + (b - t) / 3))" \
    -fill '#3FA34D' -draw "polygon $l,$b $l,$((b - (b - t) / 3)) $((l + (r - l) / 2)),$((t + (b - t) / 3)) $r,$((b - (b - t) / 4)) $r,$b" \
    -define png:exclude-chunks=date,time "PNG32:$file"
}
make_ico document_icon "$OUT/document.ico" 16 32 48

# The colour dialog's icon (16 and 32 pixels): three overlapping discs of red, green and blue.
color_icon() {
  local size=$1 file=$2
  local r=$((size * 5 / 16)) c=$((size / 2))
  convert -size "${size}x${size}" xc:none \
    -fill '#E53935' -draw "circle $((c - r / 2)),$((c - r / 3)) $((c - r / 2 + r)),$((c - r / 3))" \
    -fill '#43A047' -draw "circle $((c + r / 2)),$((c - r / 3)) $((c + r / 2 + r)),$((c - r / 3))" \
    -fill '#1E88E5' -draw "circle $c,$((c + r / 2)) $((c + r)),$((c + r / 2))" \
    -define png:exclude-chunks=date,time "PNG32:$file"
}
make_ico color_icon "$OUT/colordlg.ico" 16 32

# A quiet diagonal weave on a blue-grey ground.
convert -size 32x32 xc:'#7F8FA6' -stroke '#8B9BB2' -strokewidth 2 -draw "line 0,32 32,0" -draw "line -16,32 16,0" \
  -draw "line 16,32 48,0" -type TrueColor "BMP3:$OUT/mdi_tile.bmp"
