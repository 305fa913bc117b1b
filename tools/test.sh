#!/usr/bin/env bash
# Builds everything and runs every test under Wine on a private X server.
# Exit status is non-zero when anything fails to build or any test fails.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${PIX_BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="$BUILD/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export LANG=en_US.UTF-8

bash "$ROOT/tools/setup.sh"
# A library that includes above its layer stops the run before anything is built.
bash "$ROOT/tools/check_layers.sh"
source "$ROOT/tools/xvfb.sh"

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$BUILD" --parallel "$(nproc)"

pix_start_xvfb
trap pix_stop_all EXIT

# Keep one wine server for the whole run instead of one per test program.
wineserver -p
# Start Wine's background services now, detached from our output: a test program that started
# them would hand them its stdout, and CTest would wait for that pipe to close.
wine wineboot >/dev/null 2>&1 </dev/null || true
rm -f "$BUILD"/test-results/*.xml
mkdir -p "$BUILD/artifacts"

status=0
(cd "$BUILD" && ctest --output-on-failure --timeout 900 "$@") || status=$?

# One plain summary line over every GoogleTest case that ran.
bash "$ROOT/tools/summarize_results.sh" "$BUILD/test-results"
exit $status

