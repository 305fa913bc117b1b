#!/usr/bin/env bash
# Start-up and close of the program against Wine's notepad, and the capture hot key to a painted
# document against a bare grab-and-show, all timed from outside the program by bench_startup.exe.
# It runs inside a 1280x1024 Wine virtual desktop (the only place the hot key reaches a Wine
# program headless) on a private Xvfb.
#   bench/bench_startup.sh [build-dir] [runs]
# Build the targets bench_startup and pixolet first; runs defaults to 9 (plus one unmeasured).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
runs="${2:-9}"
exe="$build/bin/bench_startup.exe"
[ -f "$exe" ] || { echo "no $exe: build the target bench_startup" >&2; exit 1; }
[ -f "$build/bin/pixolet.exe" ] || { echo "no $build/bin/pixolet.exe: build the target pixolet" >&2; exit 1; }

export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}" WINEARCH=win32 WINEDEBUG=-all
# shellcheck source=SCRIPTDIR/../tools/xvfb.sh
source "$here/../tools/xvfb.sh"
pix_start_xvfb
out="$(mktemp)"
trap 'rm -f "$out"; pix_stop_all' EXIT
# One server for every run, started before the timing.
wineserver -p
# Into a file, not a pipe: the services Wine starts with the first program keep its output open.
wine explorer /desktop=bench,1280x1024 "$exe" "$runs" >"$out" 2>&1
tr -d '\r' <"$out"
# explorer does not pass the exit code on: a failure shows as a "bench_startup:" line.
! grep -q '^bench_startup:' "$out"
