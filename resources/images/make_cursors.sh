#!/usr/bin/env bash
# Draws the tools' cursors as 32 x 32 colour cursors with transparent backgrounds:
# <out>/<name>.cur. Each is drawn as an icon by ImageMagick and then made a cursor: the file type
# becomes 2 and the entry's two 16-bit fields after the size hold the hot spot.
# Usage: make_cursors.sh <output folder>
set -euo pipefail

OUT="${1:?usage: make_cursors.sh <output folder>}"
mkdir -p "$OUT"

# cursor <name> <hot x> <hot y> <drawing options...>
cursor() {
  local name=$1 x=$2 y=$3
  shift 3
  local png="$OUT/$name.png" cur="$OUT/$name.cur"
  convert -size 32x32 xc:none "$@" -define png:exclude-chunks=date,time "PNG32:$png"
  convert "$png" "ICO:$cur"
  rm -f "$png"
  printf '\x02\x00' | dd of="$cur" bs=1 seek=2 conv=notrunc status=none
  printf "\\x$(printf %02x "$x")\\x00\\x$(printf %02x "$y")\\x00" | dd of="$cur" bs=1 seek=10 conv=notrunc status=none
}

lens=(-draw "circle 12,12 12,3" -draw "line 18,18 29,29")
# A white halo under the black strokes keeps the lens visible on dark and light pictures.
cursor zoom-in 12 12 -stroke white -strokewidth 4 -fill none "${lens[@]}" -stroke black -strokewidth 2 \
  "${lens[@]}" -draw "line 8,12 16,12" -draw "line 12,8 12,16"
cursor zoom-out 12 12 -stroke white -strokewidth 4 -fill none "${lens[@]}" -stroke black -strokewidth 2 \
  "${lens[@]}" -draw "line 8,12 16,12"
cursor spray 1 1 -fill black -stroke white -strokewidth 1 -draw "rectangle 14,12 26,30" -draw "rectangle 17,8 23,12" \
  -stroke none -fill black -draw "point 1,1" -draw "point 4,3" -draw "point 2,6" -draw "point 7,2" \
  -draw "point 6,6" -draw "point 9,4" -draw "point 3,9" -draw "point 10,8"
cursor picker 1 30 -stroke white -strokewidth 4 -draw "line 2,29 20,11" -stroke black -strokewidth 2 \
  -draw "line 2,29 20,11" -fill black -stroke white -strokewidth 1 -draw "circle 24,7 28,3"
cursor fill 3 28 -fill white -stroke black -strokewidth 2 -draw "polygon 10,8 24,16 16,30 3,22" \
  -fill black -draw "circle 4,26 4,29"
cursor stamp 0 0 -fill black -stroke white -strokewidth 1 -draw "rectangle 12,4 20,16" \
  -draw "rectangle 6,16 26,22" -draw "line 0,0 5,0" -draw "line 0,0 0,5"
cursor callout 0 0 -fill white -stroke black -strokewidth 2 -draw "roundrectangle 6,4 30,20 5,5" \
  -draw "polygon 10,20 16,20 8,27" -draw "line 0,0 5,0" -draw "line 0,0 0,5"
cursor eraser 16 16 -fill white -stroke black -strokewidth 2 -draw "polygon 6,20 18,8 26,16 14,28"
cursor highlighter 2 29 -fill yellow -stroke black -strokewidth 2 -draw "polygon 2,29 6,19 20,5 26,11 12,25"
# The object picker's pointing hand, hot spot at the fingertip.
cursor hand 9 1 -fill white -stroke black -strokewidth 1 \
  -draw "polygon 8,1 11,1 11,12 14,11 17,12 20,13 23,14 24,22 21,30 10,30 4,20 5,17 8,19" \
  -draw "line 14,11 14,17" -draw "line 17,12 17,17" -draw "line 20,13 20,17"
