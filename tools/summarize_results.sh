#!/usr/bin/env bash
# Usage: summarize_results.sh <folder of GoogleTest XML results>
# Prints one line over every test case that ran: "N passed, N failed", the skipped ones, and the
# end-to-end tests that passed only when run again (run_e2e.sh leaves their second run in
# *.retry.xml), by name.
set -euo pipefail
RESULTS="$1"

total=0
failed=0
skipped=0
retried=0
retried_names=()
for f in "$RESULTS"/*.xml; do
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
