#!/usr/bin/env bash
# Draws the about box's picture (180x70) and the tip of the day's bulb (32x32), both 24-bit BMP.
# Usage: make_about_tip_images.sh <output folder>
set -euo pipefail

OUT="${1:?usage: make_about_tip_images.sh <output folder>}"
mkdir -p "$OUT"

# A blue band with a framed screen and a pencil: what the program does, in one picture.
convert -size 180x70 gradient:'#1E5AA8'-'#7FB2EA' -rotate -90 -resize 180x70! \
  -fill '#F5F8FC' -stroke '#0A2A55' -strokewidth 2 -draw "roundrectangle 12,12 74,58 4,4" \
  -fill '#F4B400' -stroke none -draw "rectangle 20,20 44,36" \
  -fill '#E53935' -draw "circle 56,44 62,44" \
  -stroke '#F4B400' -strokewidth 4 -draw "line 88,52 160,18" \
  -stroke none -fill '#0A2A55' -draw "polygon 84,56 90,48 94,54" \
  -type TrueColor "BMP3:$OUT/about.bmp"

# A yellow bulb with a grey screw base, on the tip panel's white.
convert -size 32x32 xc:white \
  -fill '#FFD54F' -stroke '#B8860B' -strokewidth 1 -draw "circle 16,12 16,3" \
  -stroke none -draw "rectangle 12,17 20,22" \
  -fill '#9E9E9E' -draw "rectangle 11,22 21,28" \
  -stroke '#616161' -draw "line 11,24 21,24" -draw "line 11,26 21,26" \
  -stroke none -fill '#FFF8E1' -draw "circle 13,9 13,7" \
  -type TrueColor "BMP3:$OUT/bulb.bmp"
