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
total=0
failed=0
skipped=0
retried=0
retried_names=()
for f in "$BUILD"/test-results/*.xml; do
  [ -f "$f" ] || continue
  head="$(grep -m1 '<testsuites' "$f")"
  t=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$head")
  fl=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$head")
  er=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$head")
  sk=$(grep -c 'result="skipped"' "$f" || true)
  if [[ "$f" == *.retry.xml ]]; then
    # A second run of tests that failed once: the ones that passed it count as passed, and are
    # named, so that an intermittent fault shows where people look.
    retried=$((retried + ${t:-0} - ${fl:-0} - ${er:-0}))
    while IFS= read -r name; do
      retried_names+=("$name")
    done < <(tr -d '\r' <"$f" | awk '
      /<testsuite / { if (match($0, / name="[^"]*"/)) suite = substr($0, RSTART + 7, RLENGTH - 8) }
      /<testcase / && !/\/>/ { open = 1; failed = 0; if (match($0, / name="[^"]*"/)) name = substr($0, RSTART + 7, RLENGTH - 8) }
      /<testcase .*\/>/ { if (match($0, / name="[^"]*"/)) print suite "." substr($0, RSTART + 7, RLENGTH - 8); next }
      open && /<failure/ { failed = 1 }
      open && /<\/testcase>/ { if (!failed) print suite "." name; open = 0 }')
    continue
  fi
  total=$((total + ${t:-0}))
  failed=$((failed + ${fl:-0} + ${er:-0}))
  skipped=$((skipped + ${sk:-0}))
done
failed=$((failed - retried))
passed=$((total - failed - skipped))
summary="$passed passed, $failed failed"
[ "$skipped" -gt 0 ] && summary="$summary, $skipped skipped"
if [ "$retried" -gt 0 ]; then
  names="$(IFS=,; echo "${retried_names[*]}" | sed 's/,/, /g')"
  summary="$summary ($retried of them passed only when run again: $names)"
fi
echo "$summary"
exit $status

