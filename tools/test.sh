#!/usr/bin/env bash
# Builds what the tests run and runs every test under Wine, on private X servers.
# Exit status is non-zero when anything fails to build or any test fails.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${PIX_BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export LANG=en_US.UTF-8

bash "$ROOT/tools/setup.sh"
source "$ROOT/tools/wine_env.sh"
pix_wine_env "$ROOT"
# A library that includes above its layer stops the run before anything is built.
bash "$ROOT/tools/check_layers.sh"
source "$ROOT/tools/slots.sh"

started=$SECONDS
pix_configure "$ROOT" "$BUILD"
# What the tests run, not the benchmarks.
cmake --build "$BUILD" --parallel "$(nproc)" --target pix_tests
if [ "$PIX_ARCH" != i686 ]; then
  # The tests run a 64-bit build here; the program ships as the 32-bit one, which must build too.
  echo "test.sh: the tests are built for 64-bit Windows; building the 32-bit program beside them"
  PIX_TOOLCHAIN="$ROOT/cmake/mingw-i686.cmake" pix_configure "$ROOT" "$BUILD/i686"
  cmake --build "$BUILD/i686" --parallel "$(nproc)" --target pixolet pixplay
fi
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
(cd "$BUILD" && ctest --output-on-failure --timeout 1800 --parallel "$((slots + 1))" \
  --resource-spec-file "$PIX_SLOTS/resources.json" "$@") || status=$?
echo "test.sh: tests ran in $((SECONDS - started)) s in $slots slots"
# What the soak tests measured, passed or not.
grep -ah "\[ FIGURES  \]" "$BUILD/Testing/Temporary/LastTest.log" 2>/dev/null | tr -d '\r' || true

# One plain summary line over every GoogleTest case that ran.
bash "$ROOT/tools/summarize_results.sh" "$BUILD/test-results" "$BUILD/Testing/Temporary/LastTestsFailed.log"
exit $status
