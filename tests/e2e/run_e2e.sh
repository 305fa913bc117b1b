#!/usr/bin/env bash
# Usage: run_e2e.sh <wine> <e2e_tests.exe> <results folder> [<name of the results, e2e_tests>]
# Runs the end-to-end tests. Wine without a window manager now and then drops a key or a pointer
# event on a busy machine, so a test that fails is run once more, alone, in a new process; the run
# passes when every failed test passes its second run. The retried tests stay named in the output
# and in the summary, so an input loss that turns into a real fault still shows.
set -uo pipefail
WINE="$1"
EXE="$2"
RESULTS="$3"
NAME="${4:-e2e_tests}"

log="$(mktemp)"
trap 'rm -f "$log"' EXIT
"$WINE" "$EXE" "--gtest_output=xml:Z:$RESULTS/$NAME.xml" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
rm -f "$RESULTS/$NAME.retry.xml"
[ "$status" -eq 0 ] && exit 0

# The names GoogleTest lists after "N tests, listed below:" (Wine's console ends lines with CR).
failed=$(tr -d '\r' <"$log" | sed -n '/tests\?, listed below:/,$ s/^\[  FAILED  \] \([^ ,]*\.[^ ,]*\).*/\1/p' | paste -sd: -)
if [ -z "$failed" ]; then
  echo "the end-to-end tests failed before any test could fail on its own (status $status)"
  exit "$status"
fi
echo
echo "[ RETRY    ] once more, in a new process: $failed"
"$WINE" "$EXE" "--gtest_filter=$failed" "--gtest_output=xml:Z:$RESULTS/$NAME.retry.xml"
status=$?
# Every failed test must have run again, not a filter that matched nothing.
ran=$(sed -n 's/.*<testsuites tests="\([0-9]*\)".*/\1/p' "$RESULTS/$NAME.retry.xml" 2>/dev/null)
if [ "$status" -eq 0 ] && [ "${ran:-0}" -ne "$(tr ':' '\n' <<<"$failed" | wc -l)" ]; then
  echo "the second run ran ${ran:-no} tests, not the ones that failed"
  exit 1
fi
exit "$status"
