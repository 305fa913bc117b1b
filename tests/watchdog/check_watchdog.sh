#!/usr/bin/env bash
# Usage: check_watchdog.sh <wine> <watchdog_hangs.exe> [<results folder>]
# Runs the tests that hang under a bound of a few seconds and checks what the watchdog did: each
# hung test failed with its name and the windows it left, the test after them passed, and the one
# whose thread takes no messages ended the process, and the process it started, with a failure
# code, the calls its thread was inside and a results file naming it, all well before any time-out
# of the run. Writes a GoogleTest-style summary to the results folder when one is given.
set -uo pipefail
WINE="$1"
EXE="$2"
results="${3:-}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

started=$SECONDS
# Through a pipe, which stays open while any process the tests started holds it.
PIX_TEST_BOUND=3 "$WINE" "$EXE" "--gtest_output=xml:Z:$tmp/hangs.xml" 2>&1 | cat >"$tmp/out"
status=${PIPESTATUS[0]}
took=$((SECONDS - started))
tr -d '\r' <"$tmp/out" >"$tmp/log"
cat "$tmp/log"

passed=0
failed=0
cases=""
check() {
  local name="$1"
  shift
  if "$@" >/dev/null 2>&1; then
    passed=$((passed + 1))
    cases+="<testcase name=\"$name\" classname=\"Watchdog\"/>"
  else
    failed=$((failed + 1))
    cases+="<testcase name=\"$name\" classname=\"Watchdog\"><failure message=\"not so\"/></testcase>"
    echo "FAIL $name"
  fi
}
has() { grep -qF -- "$1" "$tmp/log"; }

check MessageBoxNamedAndEnded has "Hangs.OnAMessageBox ran past its bound of 3 s"
check BoxCaptionAndTextListed has '"Unanswered" class #32770'
check BoxTextListed has 'showing "Nobody answers this box."'
check BoxTestFailed has "[  FAILED  ] Hangs.OnAMessageBox"
check CaptureLoopEnded has "[  FAILED  ] Hangs.InACaptureLoop"
check CaptureWindowListed has '"Capturing" class WatchdogHangsWindow'
check MenuEnded has "[  FAILED  ] Hangs.InATrackedMenu"
check NextTestRan has "[       OK ] Hangs.NotAfterTheOthers"
check SleeperNamed has "[ WATCHDOG ] Hangs.WithoutTakingMessages ran past its bound of 3 s"
check SleeperWindowListed has '"Asleep" class WatchdogHangsWindow'
check SleeperStackNamed has 'from watchdog_hangs.exe!(anonymous namespace)::SleepForGood()+0x'
check SleeperTestNamed has 'from watchdog_hangs.exe!(anonymous namespace)::Hangs_WithoutTakingMessages_Test::TestBody()+0x'
check ProcessFailed test "$status" -ne 0
check ResultsNameTheSleeper grep -qF 'name="Hangs.WithoutTakingMessages"' "$tmp/hangs.xml"
check ResultsCountEveryTest grep -qF '<testsuites tests="5" failures="4"' "$tmp/hangs.xml"
# Four bounds of 3 s and a margin of 3 s, with room for a slow machine; far from CTest's limit.
check EndedInSeconds test "$took" -lt 60

if [ -n "$results" ]; then
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<testsuites tests="%d" failures="%d" errors="0">\n<testsuite name="Watchdog" tests="%d" failures="%d">%s</testsuite>\n</testsuites>\n' \
    $((passed + failed)) "$failed" $((passed + failed)) "$failed" "$cases" >"$results/watchdog_selftest.xml"
fi
echo "watchdog: the hanging tests ran for $took s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
