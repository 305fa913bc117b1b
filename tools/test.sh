#!/usr/bin/env bash
# Builds what the tests run and runs every test under Wine, on private X servers.
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
source "$ROOT/tools/slots.sh"

started=$SECONDS
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" >/dev/null
# What the tests run, not the benchmarks.
cmake --build "$BUILD" --parallel "$(nproc)" --target pix_tests
echo "test.sh: built in $((SECONDS - started)) s"

# Entries run side by side, each in a slot of its own (tools/slots.sh); long ones start first.
slots="$(pix_slot_count)"
pix_start_slots "$slots" "$BUILD/slots" "$WINEPREFIX"
trap 'pix_stop_slots "$BUILD/slots"' EXIT
export PIX_SLOTS="$BUILD/slots"
rm -f "$BUILD"/test-results/*.xml "$BUILD/Testing/Temporary/LastTestsFailed.log"
mkdir -p "$BUILD/artifacts"

started=$SECONDS
status=0
(cd "$BUILD" && ctest --output-on-failure --timeout 900 --parallel "$((slots + 1))" \
  --resource-spec-file "$PIX_SLOTS/resources.json" "$@") || status=$?
echo "test.sh: tests ran in $((SECONDS - started)) s in $slots slots"
# What the soak tests measured, passed or not.
grep -ah "\[ FIGURES  \]" "$BUILD/Testing/Temporary/LastTest.log" 2>/dev/null | tr -d '\r' || true

# One plain summary line over every GoogleTest case that ran.
bash "$ROOT/tools/summarize_results.sh" "$BUILD/test-results" "$BUILD/Testing/Temporary/LastTestsFailed.log"
exit $status
