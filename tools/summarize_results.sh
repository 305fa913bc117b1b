#!/usr/bin/env bash
# Usage: summarize_results.sh <folder of GoogleTest XML results> [CTest's list of failed entries]
# Prints one line over every test case that ran: "N passed, N failed" and the skipped ones. Input
# a test sent a second time, where the window system lost the first (the test's "resends"
# property), is named test by test on a line of its own before it. A failed CTest entry that left
# no results of its own (a lab's self-test, a check of printed pages) counts as one failed case,
# named. Every failed case is named above the summary with the start of its message, and a failed
# entry without results with its "FAIL" and "[  FAILED  ]" lines from CTest's log (a lab, or a test
# program that ended before writing its results), so that the end of a run says what failed.
set -euo pipefail
RESULTS="$1"
FAILED_ENTRIES="${2:-}"

total=0
failed=0
skipped=0
resends=()
failures=()
for f in "$RESULTS"/*.xml; do
  [ -f "$f" ] || continue
  head="$(grep -m1 '<testsuites' "$f")"
  t=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$head")
  fl=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$head")
  er=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$head")
  sk=$(grep -c 'result="skipped"' "$f" || true)
  total=$((total + ${t:-0}))
  failed=$((failed + ${fl:-0} + ${er:-0}))
  skipped=$((skipped + ${sk:-0}))
  # One pass over the file: "R <case>: <resends>" for input sent again, "FAILED <case>: <message>".
  while IFS= read -r line; do
    case "$line" in
    R\ *) resends+=("${line#R }") ;;
    *) failures+=("$line") ;;
    esac
  done < <(tr -d '\r' <"$f" | awk '
    /<testsuite / { if (match($0, / name="[^"]*"/)) suite = substr($0, RSTART + 7, RLENGTH - 8) }
    /<testcase / { if (match($0, / name="[^"]*"/)) name = substr($0, RSTART + 7, RLENGTH - 8) }
    /<property name="resends" / { if (match($0, / value="[^"]*"/)) print "R " suite "." name ": " substr($0, RSTART + 8, RLENGTH - 9) }
    /<failure / {
      message = ""
      if (match($0, / message="[^"]*/)) message = substr($0, RSTART + 10, RLENGTH - 10)
      gsub(/&#x0A;/, " | ", message); gsub(/&quot;/, "\"", message)
      gsub(/&lt;/, "<", message); gsub(/&gt;/, ">", message); gsub(/&amp;/, "\\&", message)
      print "FAILED " suite "." name ": " substr(message, 1, 300)
    }')
done
failed_entries=()
if [ -n "$FAILED_ENTRIES" ] && [ -f "$FAILED_ENTRIES" ]; then
  # Lines of "number:name".
  while IFS=: read -r _ name; do
    name="${name%$'\r'}"
    if [ -n "$name" ] && [ ! -f "$RESULTS/$name.xml" ]; then
      failed_entries+=("$name")
    fi
  done <"$FAILED_ENTRIES"
fi
LOG="$(dirname "$FAILED_ENTRIES")/LastTest.log"
for name in "${failed_entries[@]}"; do
  if [ -f "$LOG" ]; then
    # CTest's log holds each entry's output between its command line and its end marker.
    tr -d '\r' <"$LOG" | awk -v entry="$name" '
      /^[0-9]+\/[0-9]+ Test: / && substr($0, index($0, "Test: ") + 6) == entry { inside = 1; next }
      inside && /^"[^"]*" end time:/ { inside = 0 }
      inside && /^FAIL / { print "FAILED " entry ": " substr($0, 6, 300) }
      inside && /^\[  FAILED  \] [A-Za-z].* ms\)$/ { print "FAILED " entry ": " substr($0, 14, 300) }' | head -20
  fi
done
for line in "${failures[@]}"; do
  echo "$line"
done
total=$((total + ${#failed_entries[@]}))
failed=$((failed + ${#failed_entries[@]}))
passed=$((total - failed - skipped))
if [ "${#resends[@]}" -gt 0 ]; then
  count=0
  for line in "${resends[@]}"; do
    count=$((count + $(awk -F'; ' '{ print NF }' <<<"$line")))
  done
  echo "inputs sent again: $count ($(IFS='|'; echo "${resends[*]}" | sed 's/|/ | /g'))"
fi
summary="$passed passed, $failed failed"
[ "$skipped" -gt 0 ] && summary="$summary, $skipped skipped"
if [ "${#failed_entries[@]}" -gt 0 ]; then
  summary="$summary (entries without results that failed: $(IFS=,; echo "${failed_entries[*]}" | sed 's/,/, /g'))"
fi
echo "$summary"
