#!/usr/bin/env bash
# Load and save of a 3840x2160 screenshot-like PNG as PNG, JPEG and BMP: the program's own road
# (bench_files.exe under Wine) against ImageMagick's convert, both timed as whole processes with
# the same input, run alternately, medians of 5. Prints a table with the files' sizes.
#   bench/bench_files.sh [build-dir]
# The input is made at build time by tests/data/make_test_images.sh (target editor_test_images).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
exe="$build/bin/bench_files.exe"
in="$build/testdata/images/good/screen.png"
rounds=5
[ -f "$exe" ] || { echo "no $exe: build the target bench_files" >&2; exit 1; }
[ -f "$in" ] || { echo "no $in: build the target editor_test_images" >&2; exit 1; }

export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}" WINEARCH=win32 WINEDEBUG=-all
if [ -z "${DISPLAY:-}" ]; then
  # shellcheck source=SCRIPTDIR/../tools/xvfb.sh
  source "$here/../tools/xvfb.sh"
  pix_start_xvfb
  trap pix_stop_all EXIT
fi
out="$(mktemp -d)"
trap 'rm -rf "$out"; wineserver -k >/dev/null 2>&1 || true; [ -n "${PIX_XVFB_PID:-}" ] && pix_stop_all' EXIT
# One server for every run, started and warmed up before the timing.
wineserver -p
wine "$exe" "$in" "$out/warm.png" >/dev/null

# Wall-clock milliseconds of one command.
ms() {
  local t0 t1
  t0=$(date +%s%N)
  "$@" >/dev/null
  t1=$(date +%s%N)
  echo $(((t1 - t0) / 1000000))
}
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
size_kb() { echo $((($(stat -c %s "$1") + 512) / 1024)); }

printf '%-6s %10s %10s %7s %12s %12s\n' format "ours ms" "convert ms" ratio "ours KiB" "convert KiB"
for ext in png jpg bmp; do
  ours=() theirs=()
  for _ in $(seq "$rounds"); do
    ours+=("$(ms wine "$exe" "$in" "$out/ours.$ext")")
    theirs+=("$(ms convert "$in" "$out/convert.$ext")")
  done
  o=$(median "${ours[@]}")
  t=$(median "${theirs[@]}")
  printf '%-6s %10d %10d %6.2fx %12d %12d\n' "$ext" "$o" "$t" "$(echo "$o / $t" | bc -l)" \
    "$(size_kb "$out/ours.$ext")" "$(size_kb "$out/convert.$ext")"
done
echo "in-process, last run of each: $(for ext in png jpg bmp; do
  printf '%s: %s; ' "$ext" "$(wine "$exe" "$in" "$out/ours.$ext" | tr -d '\r')"
done)"
