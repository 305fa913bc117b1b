#!/usr/bin/env bash
# Checks the include rules of the libraries. Every project include names its folder from the
# repository root, and no library reaches above its layer:
#   framework/  itself only
#   imaging/    the framework
#   toolkit/    the framework
#   editor/     anything but app/
# Any library may include the id headers under resources/. Prints each offending line and exits
# non-zero when there is one.
set -uo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT" || exit 2

allowed() {
  case "$1" in
  framework) echo "framework" ;;
  imaging) echo "framework imaging resources" ;;
  toolkit) echo "framework toolkit resources" ;;
  editor) echo "framework imaging toolkit editor resources" ;;
  app) echo "framework imaging toolkit editor app resources" ;;
  esac
}

status=0
for lib in framework imaging toolkit editor app; do
  ok=" $(allowed "$lib") "
  while IFS= read -r hit; do
    [ -n "$hit" ] || continue
    target="$(sed -n 's/.*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' <<<"$hit")"
    top="${target%%/*}"
    if [ "$top" = "$target" ]; then
      echo "layering: $hit  (an include names its folder from the repository root)"
      status=1
    elif [[ "$ok" != *" $top "* ]]; then
      echo "layering: $hit  ($lib/ may not include $top/)"
      status=1
    fi
  done < <(grep -rnHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$lib" --include='*.h' --include='*.cpp' 2>/dev/null)
done
exit $status
