#!/usr/bin/env bash
# Draws the pictures the stamp and callout picker offers, as PNGs with transparent backgrounds:
# <out>/stamps/*.png and <out>/callouts/*.png. Wide, tall and square ones alike, so that each
# way of fitting a thumbnail shows. Needs ImageMagick's convert.
# Usage: make_stamps.sh <folder beside the program>
set -euo pipefail

OUT="${1:?usage: make_stamps.sh <output folder>}"
mkdir -p "$OUT/stamps" "$OUT/callouts"

FONT=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
font=()
[ -f "$FONT" ] && font=(-font "$FONT")

# convert with a transparent canvas of the given size; the date chunks are left out so that the
# same drawing gives the same file.
draw() {
  local size=$1 file=$2
  shift 2
  convert -size "$size" xc:none "$@" -define png:exclude-chunks=date,time "PNG32:$file"
}

# A text in a rounded frame, slightly turned like a rubber stamp.
rubber() {
  local file=$1 size=$2 colour=$3 text=$4 points=$5
  local w=${size%x*} h=${size#*x}
  draw "$size" "$OUT/stamps/$file" \
    -fill none -stroke "$colour" -strokewidth 6 -draw "roundrectangle 5,5 $((w - 6)),$((h - 6)) 14,14" \
    -strokewidth 2 -draw "roundrectangle 13,13 $((w - 14)),$((h - 14)) 8,8" \
    -stroke none -fill "$colour" "${font[@]}" -pointsize "$points" -gravity center -annotate 0 "$text" \
    -background none -rotate -6 +repage
}

rubber approved.png 270x90 '#C81E1E' APPROVED 40
rubber draft.png 200x84 '#1E4FC8' DRAFT 48
rubber confidential.png 330x72 '#B01010' CONFIDENTIAL 38
rubber paid.png 170x84 '#1E8C32' PAID 50

draw 110x110 "$OUT/stamps/check.png" \
  -fill none -stroke '#1E8C32' -strokewidth 8 -draw "circle 55,55 55,8" \
  -strokewidth 12 -draw "polyline 30,58 48,78 82,34"
draw 110x110 "$OUT/stamps/cross.png" \
  -fill none -stroke '#C81E1E' -strokewidth 8 -draw "circle 55,55 55,8" \
  -strokewidth 12 -draw "line 34,34 76,76" -draw "line 76,34 34,76"

# Speech bubbles: a rounded box with a tail (its inside painted over the box's edge), and a line
# of text in it.
draw 220x150 "$OUT/callouts/speech-left.png" \
  -fill white -stroke black -strokewidth 4 -draw "roundrectangle 6,6 213,104 24,24" \
  -draw "polygon 40,100 26,144 82,100" -stroke none -draw "polygon 45,96 32,132 83,96" \
  -stroke none -fill black "${font[@]}" -pointsize 30 -gravity north -annotate +0+36 "Look here!"
draw 220x150 "$OUT/callouts/speech-right.png" \
  -fill '#FFF6B0' -stroke '#806000' -strokewidth 4 -draw "roundrectangle 6,6 213,104 24,24" \
  -draw "polygon 138,100 194,144 180,100" -stroke none -draw "polygon 137,96 188,132 175,96" \
  -stroke none -fill '#403000' "${font[@]}" -pointsize 30 -gravity north -annotate +0+36 "Note"
draw 200x160 "$OUT/callouts/thought.png" \
  -fill white -stroke '#404040' -strokewidth 4 -draw "ellipse 100,62 90,52 0,360" \
  -draw "circle 52,128 52,118" -draw "circle 28,148 28,142" \
  -stroke none -fill '#404040' "${font[@]}" -pointsize 26 -gravity north -annotate +0+48 "Hmm..."

# Arrows: a wide one pointing right, a tall one pointing down.
draw 240x100 "$OUT/callouts/arrow-right.png" \
  -fill '#E05A00' -stroke '#803000' -strokewidth 3 \
  -draw "polygon 6,32 150,32 150,6 234,50 150,94 150,68 6,68"
draw 90x220 "$OUT/callouts/arrow-down.png" \
  -fill '#1E6FD0' -stroke '#103A70' -strokewidth 3 \
  -draw "polygon 28,6 62,6 62,130 86,130 45,214 4,130 28,130"

# A numbered marker.
draw 100x100 "$OUT/callouts/number-1.png" \
  -fill '#D02020' -stroke white -strokewidth 5 -draw "circle 50,50 50,6" \
  -stroke none -fill white "${font[@]}" -pointsize 56 -gravity center -annotate 0 "1"
