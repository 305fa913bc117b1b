#!/usr/bin/env bash
# Checks the pages fw_print_tests printed: each fw_print_*.expect in the artifacts folder names the
# PDF beside it, its page count and a rectangle (points from the page's top-left corner) that must
# show its colour with white around it. The program under Wine cannot run pdftoppm, so CTest runs
# this after it. Writes a GoogleTest-style summary to the results folder when one is given.
# Usage: check_pages.sh <artifacts-folder> [<results-folder>]
set -uo pipefail

dir="$1"
results="${2:-}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

passed=0
failed=0
cases=""

# Prints "r g b" of pixel (x, y) of a binary PPM.
pixel() {
  local ppm="$1" x="$2" y="$3" width header
  width="$(sed -n 2p "$ppm" | cut -d' ' -f1)"
  header="$(head -n 3 "$ppm" | wc -c)"
  od -An -tu1 -j $((header + (y * width + x) * 3)) -N3 "$ppm" | xargs
}

# Whether "r g b" lies within tol of the expected r, g and b.
near() {
  local got=($1) want=($2) tol="$3" i
  for i in 0 1 2; do
    local d=$((got[i] - want[i]))
    [ "${d#-}" -le "$tol" ] || return 1
  done
}

check() {
  local expect="$1" pdf="${1%.expect}.pdf" pages x0 y0 x1 y1 r g b
  [ -f "$pdf" ] || { echo "missing $pdf"; return 1; }
  pages="$(tr -d '\r' <"$expect" | awk '$1 == "pages" { print $2 }')"
  read -r x0 y0 x1 y1 r g b < <(tr -d '\r' <"$expect" |
    awk '$1 == "mark" { print int($2 + 0.5), int($3 + 0.5), int($4 + 0.5), int($5 + 0.5), $6, $7, $8 }')
  local got
  got="$(pdfinfo "$pdf" | awk '$1 == "Pages:" { print $2 }')"
  [ "$got" = "$pages" ] || { echo "$pdf: $got pages, expected $pages"; return 1; }
  # One pixel a point.
  pdftoppm -r 72 -f 1 -l 1 -singlefile "$pdf" "$tmp/page" || return 1
  local ppm="$tmp/page.ppm" status=0 cx=$(((x0 + x1) / 2)) cy=$(((y0 + y1) / 2)) px
  # Inside: the middle and near each corner.
  for p in "$cx $cy" "$((x0 + 4)) $((y0 + 4))" "$((x1 - 4)) $((y0 + 4))" "$((x0 + 4)) $((y1 - 4))" "$((x1 - 4)) $((y1 - 4))"; do
    px="$(pixel "$ppm" $p)"
    near "$px" "$r $g $b" 24 || { echo "$pdf: ($p) is $px, not the mark $r $g $b"; status=1; }
  done
  # Outside: just beyond each edge.
  for p in "$((x0 - 6)) $cy" "$((x1 + 6)) $cy" "$cx $((y0 - 6))" "$cx $((y1 + 6))"; do
    px="$(pixel "$ppm" $p)"
    near "$px" "255 255 255" 20 || { echo "$pdf: ($p) is $px, not white"; status=1; }
  done
  return $status
}

shopt -s nullglob
manifests=("$dir"/fw_print_*.expect)
if [ ${#manifests[@]} -eq 0 ]; then
  echo "no printed pages to check in $dir (fw_print_tests leaves them there)"
  failed=1
  cases='<testcase name="pages" classname="PrintedPages"><failure message="no pages"/></testcase>'
fi
for expect in "${manifests[@]}"; do
  name="$(basename "${expect%.expect}")"
  if check "$expect"; then
    passed=$((passed + 1))
    cases+="<testcase name=\"$name\" classname=\"PrintedPages\"/>"
  else
    failed=$((failed + 1))
    cases+="<testcase name=\"$name\" classname=\"PrintedPages\"><failure message=\"page differs\"/></testcase>"
  fi
done

if [ -n "$results" ]; then
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<testsuites tests="%d" failures="%d" errors="0">\n<testsuite name="PrintedPages" tests="%d" failures="%d">%s</testsuite>\n</testsuites>\n' \
    $((passed + failed)) "$failed" $((passed + failed)) "$failed" "$cases" >"$results/fw_print_pages.xml"
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
