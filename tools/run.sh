#!/usr/bin/env bash
# Builds the program and starts it under Wine, on $DISPLAY or on a private X server.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${PIX_BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all

bash "$ROOT/tools/setup.sh"
source "$ROOT/tools/wine_env.sh"
pix_wine_env "$ROOT"
pix_configure "$ROOT" "$BUILD"
# Only the program and what it loads beside it (tips, stamps and callouts); tools/test.sh builds
# the tests, labs and benchmarks.
cmake --build "$BUILD" --target pixolet --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"

if ! grep -rqs "CFramletApp theApp" "$ROOT/app"; then
  echo "run: the application object is not built yet; nothing to start."
  exit 0
fi

source "$ROOT/tools/xvfb.sh"
if [ -z "${DISPLAY:-}" ]; then
  pix_start_xvfb
  trap pix_stop_all EXIT
  echo "run: started a private X server on $DISPLAY"
fi
exec_args=()
if [ $# -gt 0 ]; then
  exec_args+=("$(winepath -w "$1")")
fi
wine "$BUILD/bin/pixolet.exe" "${exec_args[@]}"
