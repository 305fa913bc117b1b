#!/usr/bin/env bash
# Pictures for the image document's file tests, made at build time into the folder given:
#   good/   a PNG with transparent areas at 72 dpi, a PNG under a .jpg name, a 3840x2160 PNG
#           that looks like a screenshot (the benchmark's input)
#   broken/ for each of png, jpg, bmp, gif and tif: a file cut in half, one cut inside its
#           header, one with a header field flipped, an empty one, text under the extension and
#           one whose header declares a picture far too large to hold
# ImageMagick makes the sound pictures; head, dd and printf spoil them.
# Bytes are written as printf formats on purpose: their escapes are the bytes.
# shellcheck disable=SC2059
set -euo pipefail
out="$1"
good="$out/good"
broken="$out/broken"
rm -rf "$good" "$broken"
mkdir -p "$good" "$broken"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# Writes the bytes of a printf format at an offset of a file, in place.
poke() { printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }
# The file's byte at an offset, inverted, as a printf escape.
inverted() { printf '\\x%02x' $((0xFF ^ $(od -An -tu1 -j "$2" -N1 "$1"))); }
# The offset of the first match of a byte pattern (grep -P escapes).
offset_of() { LC_ALL=C grep -obUaP "$2" "$1" | head -n1 | cut -d: -f1; }
# A 32-bit big-endian value as printf escapes.
be32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 >> 24 & 255)) $(($1 >> 16 & 255)) $(($1 >> 8 & 255)) $(($1 & 255)); }
# The CRC-32 of a file's bytes as printf escapes, big-endian; gzip's trailer holds the same CRC.
crc32() { be32 $((0x$(gzip -c <"$1" | tail -c 8 | head -c 4 | od -An -tx4 | tr -d ' \n'))); }

# --- sound pictures ---
convert -size 96x64 gradient:'#2060c0'-'#f0a020' -depth 8 "$tmp/base.png"
for ext in jpg bmp gif tif; do
  convert "$tmp/base.png" -depth 8 "$tmp/base.$ext"
done
# Opaque red on the left, transparent on the right, a half-transparent blue band at the bottom.
convert -size 40x30 xc:none -fill red -draw 'rectangle 0,0 19,29' -fill '#0000ff80' \
  -draw 'rectangle 0,25 39,29' -units PixelsPerInch -density 72 "$good/transparent72.png"
cp "$tmp/base.png" "$good/png_named.jpg"
# Windows, text and flat areas like a desktop capture.
convert -size 3840x2160 gradient:'#1e3c64'-'#3c6e9a' \
  -fill '#f0f0f0' -draw 'rectangle 200,150 2400,1700' -fill '#0a246a' -draw 'rectangle 200,150 2400,180' \
  -fill white -draw 'rectangle 2600,300 3600,1900' -fill '#d4d0c8' -draw 'rectangle 0,2110 3839,2159' \
  -fill black -pointsize 22 -draw "text 230,240 'File  Edit  View  Image  Help'" \
  -draw "text 230,300 'The quick brown fox jumps over the lazy dog 0123456789'" \
  -fill '#c03030' -draw 'circle 1300,900 1300,1300' -depth 8 "$good/screen.png"

# --- broken pictures ---
for ext in png jpg bmp gif tif; do
  src="$tmp/base.$ext"
  size=$(stat -c %s "$src")
  head -c $((size / 2)) "$src" >"$broken/half.$ext"
  head -c 20 "$src" >"$broken/header.$ext"
  : >"$broken/empty.$ext"
  printf 'This is a text file, not a picture.\r\n' >"$broken/text.$ext"
  cp "$src" "$broken/flipped.$ext"
done
# One header field each that no decoder can take: the PNG's width (its CRC no longer matches),
# the JPEG frame's component count, the bitmap's header size, the GIF's image separator, the
# TIFF's first directory offset.
poke "$broken/flipped.png" 18 "$(inverted "$broken/flipped.png" 18)"
sof=$(offset_of "$broken/flipped.jpg" '\xff\xc0')
poke "$broken/flipped.jpg" $((sof + 9)) "$(inverted "$broken/flipped.jpg" $((sof + 9)))"
poke "$broken/flipped.bmp" 14 "$(inverted "$broken/flipped.bmp" 14)"
sep=$(offset_of "$broken/flipped.gif" '\x00\x2c\x00\x00\x00\x00')
poke "$broken/flipped.gif" $((sep + 1)) "$(inverted "$broken/flipped.gif" $((sep + 1)))"
poke "$broken/flipped.tif" 7 "$(inverted "$broken/flipped.tif" 7)"

# Far too large: 65535 x 65535 (PNG with a valid CRC, GIF screen and image), a JPEG frame of
# 65535 x 65535, a bitmap of 30000 x 30000 and a TIFF of 100000 x 100000, each with a few bytes
# of data.
cp "$tmp/base.png" "$broken/huge.png"
printf "IHDR$(be32 65535)$(be32 65535)\x08\x02\x00\x00\x00" >"$tmp/ihdr"
poke "$broken/huge.png" 12 "IHDR$(be32 65535)$(be32 65535)\x08\x02\x00\x00\x00$(crc32 "$tmp/ihdr")"
cp "$tmp/base.jpg" "$broken/huge.jpg"
sof=$(offset_of "$broken/huge.jpg" '\xff\xc0')
poke "$broken/huge.jpg" $((sof + 5)) '\xff\xff\xff\xff'
head -c 4096 "$tmp/base.bmp" >"$broken/huge.bmp"
poke "$broken/huge.bmp" 18 '\x30\x75\x00\x00\x30\x75\x00\x00'
cp "$tmp/base.gif" "$broken/huge.gif"
poke "$broken/huge.gif" 6 '\xff\xff\xff\xff'
sep=$(offset_of "$broken/huge.gif" '\x00\x2c\x00\x00\x00\x00')
poke "$broken/huge.gif" $((sep + 6)) '\xff\xff\xff\xff'
# A little-endian TIFF: eight directory entries (width, length, bits, compression, photometric,
# strip offset, rows per strip, strip byte count) and eight bytes of grey.
{
  printf 'II*\x00\x08\x00\x00\x00\x08\x00'
  printf '\x00\x01\x04\x00\x01\x00\x00\x00\xa0\x86\x01\x00'
  printf '\x01\x01\x04\x00\x01\x00\x00\x00\xa0\x86\x01\x00'
  printf '\x02\x01\x03\x00\x01\x00\x00\x00\x08\x00\x00\x00'
  printf '\x03\x01\x03\x00\x01\x00\x00\x00\x01\x00\x00\x00'
  printf '\x06\x01\x03\x00\x01\x00\x00\x00\x01\x00\x00\x00'
  printf '\x11\x01\x04\x00\x01\x00\x00\x00\x6e\x00\x00\x00'
  printf '\x16\x01\x04\x00\x01\x00\x00\x00\xa0\x86\x01\x00'
  printf '\x17\x01\x04\x00\x01\x00\x00\x00\x08\x00\x00\x00'
  printf '\x00\x00\x00\x00'
  printf '\x80\x80\x80\x80\x80\x80\x80\x80'
} >"$broken/huge.tif"
touch "$out/stamp"
