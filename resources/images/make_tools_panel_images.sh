#!/usr/bin/env bash
# Draws the tools panel pictures: strips of 16x16 tool icons on magenta (the transparent colour),
# in the order of the tool ids. Usage: make_tools_panel_images.sh <output folder>
set -euo pipefail

OUT="${1:?usage: make_tools_panel_images.sh <output folder>}"
mkdir -p "$OUT"
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

N=0
# One icon: ImageMagick draw arguments on a magenta square, without smoothing so that no edge
# pixel blends into the transparent colour.
icon() {
  convert -size 16x16 xc:'#FF00FF' +antialias -strokewidth 1 "$@" "BMP3:$TMP/$(printf '%03d' $N).bmp"
  N=$((N + 1))
}
# Joins the icons drawn since the last strip into one strip.
strip() {
  convert "$TMP"/*.bmp +append -type truecolor "BMP3:$OUT/$1"
  rm -f "$TMP"/*.bmp
  N=0
}

INK='#202020'
BLUE='#1E5AA8'
RED='#D03030'
FILL='#8FB8E8'

# The sixteen main tools.
icon -fill white -stroke black -draw 'polygon 3,1 3,13 6,10 9,15 11,14 8,9 12,9'
icon -fill none -stroke "$INK" -draw 'circle 6,6 6,1' -draw 'line 10,10 14,14' -draw 'line 11,10 14,13' \
  -draw 'line 4,6 8,6' -draw 'line 6,4 6,8'
icon -fill none -stroke "$INK" -draw 'circle 6,6 6,1' -draw 'line 10,10 14,14' -draw 'line 11,10 14,13' \
  -draw 'line 4,6 8,6'
icon -fill none -stroke "$INK" -draw 'stroke-dasharray 2 2 rectangle 1,2 14,13'
icon -fill '#8B5A2B' -stroke none -draw 'polygon 10,1 14,5 8,10 6,8' -fill "$RED" -draw 'polygon 6,8 8,10 4,15 1,14'
icon -fill "$INK" -stroke none -draw 'rectangle 9,8 13,14' -draw 'rectangle 10,5 12,7' \
  -fill "$BLUE" -draw 'point 4,3' -draw 'point 2,5' -draw 'point 5,6' -draw 'point 3,8' -draw 'point 6,2' -draw 'point 1,2'
icon -fill "$INK" -stroke none -draw 'polygon 11,1 14,4 12,6 10,4' -fill '#C0C0C0' -stroke "$INK" \
  -draw 'line 10,5 2,13' -draw 'line 2,13 2,14'
icon -fill "$FILL" -stroke "$INK" -draw 'polygon 2,8 8,2 14,8 8,14' -fill "$BLUE" -stroke none \
  -draw 'rectangle 13,9 14,14'
icon -fill none -stroke "$INK" -draw 'line 2,14 7,2' -draw 'line 7,2 8,2' -draw 'line 8,2 13,14' -draw 'line 4,9 11,9'
icon -fill '#A0522D' -stroke "$INK" -draw 'rectangle 6,1 9,8' -fill "$RED" -draw 'rectangle 2,9 13,12' \
  -draw 'line 2,14 13,14'
icon -fill none -stroke "$INK" -draw 'line 1,14 14,1'
icon -fill none -stroke "$RED" -draw 'line 1,14 13,2' -fill "$RED" -draw 'polygon 14,1 8,3 12,7'
icon -fill "$FILL" -stroke "$BLUE" -draw 'rectangle 1,1 9,9' -fill '#F4B400' -stroke '#A07000' -draw 'circle 10,10 10,5'
icon -fill white -stroke "$INK" -draw 'roundrectangle 1,1 14,10 3,3' -draw 'polygon 4,10 8,10 3,14'
icon -fill '#F08080' -stroke "$INK" -draw 'polygon 1,10 7,4 14,11 8,15' -fill white -draw 'polygon 7,4 11,0 15,4 14,11'
icon -fill '#FFFF40' -stroke '#A0A000' -draw 'polygon 3,10 10,3 13,6 6,13' -fill "$INK" -stroke none \
  -draw 'polygon 3,10 6,13 2,14'
strip tools_main.bmp

# Selections: rectangle, circle, polygon, free.
DASH='stroke-dasharray 2 2'
icon -fill none -stroke "$INK" -draw "$DASH rectangle 1,3 14,12"
icon -fill none -stroke "$INK" -draw "$DASH circle 8,8 8,2"
icon -fill none -stroke "$INK" -draw "$DASH polygon 2,3 13,1 14,13 6,14 1,9"
icon -fill none -stroke "$INK" -draw "$DASH path 'M 2,8 C 2,0 14,0 13,7 C 12,14 4,15 2,8'"
strip tools_selection.bmp

# Shapes: framed and filled, hollow, filled without frame; each a rectangle, a rounded rectangle,
# an ellipse and a free shape.
shapes() {
  icon "$@" -draw 'rectangle 1,3 14,12'
  icon "$@" -draw 'roundrectangle 1,3 14,12 4,4'
  icon "$@" -draw 'ellipse 7,8 6,5 0,360'
  icon "$@" -draw 'polygon 1,6 6,2 14,4 12,13 5,14 3,10'
}
shapes -fill "$FILL" -stroke "$BLUE"
shapes -fill none -stroke "$BLUE"
shapes -fill "$FILL" -stroke none
strip tools_shapes.bmp

# Brushes: flat end, round end, dashed, dotted.
icon -fill none -stroke "$INK" -strokewidth 4 -draw 'stroke-linecap butt line 3,12 12,3'
icon -fill none -stroke "$INK" -strokewidth 4 -draw 'stroke-linecap round line 4,11 11,4'
icon -fill none -stroke "$INK" -strokewidth 3 -draw 'stroke-dasharray 4 2 line 2,13 13,2'
icon -fill "$INK" -stroke none -draw 'rectangle 2,12 3,13' -draw 'rectangle 5,9 6,10' -draw 'rectangle 8,6 9,7' \
  -draw 'rectangle 11,3 12,4'
strip tools_brush.bmp

# Sprays: small, medium, large.
icon -fill "$INK" -stroke none -draw 'point 7,7' -draw 'point 9,8' -draw 'point 8,10' -draw 'point 6,9'
icon -fill "$INK" -stroke none -draw 'point 5,5' -draw 'point 9,6' -draw 'point 7,8' -draw 'point 11,9' \
  -draw 'point 4,10' -draw 'point 8,11' -draw 'point 6,7' -draw 'point 10,11'
icon -fill "$INK" -stroke none -draw 'point 2,3' -draw 'point 7,2' -draw 'point 12,3' -draw 'point 4,6' \
  -draw 'point 9,5' -draw 'point 14,7' -draw 'point 1,9' -draw 'point 6,9' -draw 'point 11,10' -draw 'point 3,13' \
  -draw 'point 8,13' -draw 'point 13,13' -draw 'point 7,7'
strip tools_spray.bmp

# Lines: solid, dotted, dashed, dash-dot; arrows: smart single and double, plain single and double.
icon -fill none -stroke "$INK" -strokewidth 2 -draw 'line 1,8 14,8'
icon -fill none -stroke "$INK" -strokewidth 2 -draw 'stroke-dasharray 2 2 line 1,8 15,8'
icon -fill none -stroke "$INK" -strokewidth 2 -draw 'stroke-dasharray 4 2 line 1,8 15,8'
icon -fill none -stroke "$INK" -strokewidth 2 -draw 'stroke-dasharray 5 2 2 2 line 1,8 15,8'
icon -fill none -stroke "$RED" -strokewidth 2 -draw "path 'M 1,13 C 4,4 9,12 12,4'" -fill "$RED" -stroke none \
  -draw 'polygon 14,1 9,4 14,7'
icon -fill none -stroke "$RED" -strokewidth 2 -draw "path 'M 3,12 C 5,4 9,12 12,4'" -fill "$RED" -stroke none \
  -draw 'polygon 14,1 9,4 14,7' -draw 'polygon 1,14 2,9 6,13'
icon -fill none -stroke "$RED" -draw 'line 1,14 11,4' -fill "$RED" -draw 'polygon 14,1 8,3 12,7'
icon -fill none -stroke "$RED" -draw 'line 4,11 11,4' -fill "$RED" -draw 'polygon 14,1 8,3 12,7' \
  -draw 'polygon 1,14 3,8 7,12'
strip tools_lines.bmp
