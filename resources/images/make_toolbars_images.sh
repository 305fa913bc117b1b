#!/usr/bin/env bash
# Draws the main frame's tool-bar strips on the transparent grey 0xC0C0C0: the standard bar (16 x 16
# buttons), the large bar (40 x 40) and the capture button (80 x 25). Each glyph is drawn on a
# 16-unit grid and scaled to its button. Usage: make_toolbars_images.sh <output folder>
set -euo pipefail

OUT="${1:?usage: make_toolbars_images.sh <output folder>}"
mkdir -p "$OUT"
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

# The drawing of one glyph on the 16-unit grid.
glyph() {
  case "$1" in
  new) echo "fill white stroke black polygon 3,1 10,1 13,4 13,14 3,14 polyline 10,1 10,4 13,4" ;;
  open) echo "fill '#F4C542' stroke '#7A5A00' polygon 1,3 6,3 7,5 14,5 14,13 1,13 fill '#FBE08A' polygon 3,7 15,7 13,13 1,13" ;;
  save) echo "fill '#2E5FA8' stroke '#10244A' rectangle 2,2 13,13 fill white stroke none rectangle 4,3 11,7 fill '#10244A' rectangle 5,10 10,13" ;;
  cut) echo "fill none stroke '#202020' stroke-width 1.3 line 5,1 10,10 line 11,1 6,10 circle 5,12 5,14 circle 11,12 11,14" ;;
  copy) echo "fill white stroke black rectangle 2,1 9,10 rectangle 6,5 13,14 stroke '#1E5AA8' line 8,8 11,8 line 8,11 11,11" ;;
  paste) echo "fill '#B07A3A' stroke '#5A3A10' rectangle 2,2 11,14 fill '#808080' rectangle 5,1 8,3 fill white stroke black rectangle 7,6 14,14" ;;
  undo) echo "fill none stroke '#1E5AA8' stroke-width 2 path 'M 13,12 C 13,5 8,4 4,7' fill '#1E5AA8' stroke none polygon 1,4 6,4 5,10" ;;
  redo) echo "fill none stroke '#1E5AA8' stroke-width 2 path 'M 3,12 C 3,5 8,4 12,7' fill '#1E5AA8' stroke none polygon 15,4 10,4 11,10" ;;
  clear) echo "fill none stroke black line 1,2 3,2 line 6,2 9,2 line 12,2 14,2 line 1,13 3,13 line 6,13 9,13 line 12,13 14,13 line 1,5 1,10 line 14,5 14,10 stroke '#D02020' stroke-width 2 line 4,5 11,11 line 11,5 4,11" ;;
  crop) echo "fill none stroke '#202020' stroke-width 2 polyline 4,1 4,11 15,11 polyline 1,4 11,4 11,15" ;;
  print) echo "fill white stroke black rectangle 4,1 11,6 fill '#909090' rectangle 1,6 14,12 fill white rectangle 4,10 11,14" ;;
  preview) echo "fill white stroke black polygon 2,1 9,1 11,3 11,14 2,14 fill '#BFE0FF' stroke '#1E5AA8' circle 9,9 9,12 stroke-width 2 line 11,11 15,15" ;;
  copyall) echo "fill white stroke black rectangle 1,1 10,12 fill '#43A047' stroke none polygon 8,8 15,11 8,14" ;;
  mail) echo "fill '#FFF8DC' stroke '#5A3A10' rectangle 1,3 14,12 fill none polyline 1,3 7,9 14,3" ;;
  esac
}

# strip <file> <size> <glyph>...: the glyphs side by side, each on a square of <size> pixels.
strip() {
  local file=$1 size=$2
  shift 2
  local parts=() n=0
  for name in "$@"; do
    n=$((n + 1))
    local k
    k=$(awk "BEGIN { print $size / 16 }")
    convert -size "${size}x${size}" xc:'#C0C0C0' +antialias -draw "scale $k,$k $(glyph "$name")" "$TMP/$n.png"
    parts+=("$TMP/$n.png")
  done
  convert "${parts[@]}" +append -type truecolor "BMP3:$file"
}

# The order of the buttons in the bars, separators left out.
strip "$OUT/standard.bmp" 16 new open save cut copy paste clear crop undo redo print preview copyall mail
strip "$OUT/large.bmp" 40 new open save cut copy paste undo redo clear crop mail print preview copyall

# The capture button: a camera beside a dashed selection frame.
convert -size 80x25 xc:'#C0C0C0' +antialias \
  -fill '#1E5AA8' -stroke '#0A2A55' -draw "roundrectangle 4,6 30,22 3,3" -draw "rectangle 11,3 19,6" \
  -fill '#DDEBFA' -draw "circle 17,14 17,19" \
  -fill none -stroke '#202020' -strokewidth 2 -draw "rectangle 38,4 74,20" \
  -fill '#F4B400' -stroke '#7A5A00' -strokewidth 1 -draw "polygon 56,9 66,14 61,15 64,20 62,21 59,16 56,19" \
  -type truecolor "BMP3:$OUT/capture.bmp"
