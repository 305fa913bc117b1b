#!/usr/bin/env bash
# Checks the include rules of the libraries. Every project include names its folder from the
# repository root, and no library reaches above its layer:
#   framework/  itself only
#   imaging/    the framework
#   toolkit/    the framework
#   editor/     anything but app/
# Any library may include the id headers under resources/. No library file includes
# framework/fw.h, which is for tests and harnesses. Inside the toolkit a file of an area includes
# only its own and lower areas:
#   foundation < theme < menus < docking < bars < controls
# and the files at the toolkit's top (the assembly of its process-wide objects) see every area.
# Prints each offending line and exits non-zero when there is one.
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

# The rank of a toolkit area; a file directly under toolkit/ stands above them all.
area_rank() {
  case "$1" in
  foundation) echo 0 ;;
  theme) echo 1 ;;
  menus) echo 2 ;;
  docking) echo 3 ;;
  bars) echo 4 ;;
  controls) echo 5 ;;
  *) echo 6 ;;
  esac
}

# The toolkit's includes of a higher area that its design forces, as "file include":
# - the date-picker menu's calendar is the controls' date picker window, derived to take the
#   menu's font and input;
# - a torn-off menu's record holds the docking bar that stands for the menu and floats it.
AREA_EXCEPTIONS="
toolkit/menus/ExtPopupInplaceDatePicker.h toolkit/controls/ExtDatePickerWnd.h
toolkit/menus/ExtPopupMenuTearOff.cpp toolkit/docking/ExtControlBar.h
"

# The area of a toolkit path: the folder below toolkit/, or "top" for a file directly in it.
area_of() {
  local rest="${1#toolkit/}"
  if [[ "$rest" == */* ]]; then echo "${rest%%/*}"; else echo top; fi
}

status=0
for lib in framework imaging toolkit editor app; do
  ok=" $(allowed "$lib") "
  while IFS= read -r hit; do
    [ -n "$hit" ] || continue
    file="${hit%%:*}"
    target="$(sed -n 's/.*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' <<<"$hit")"
    top="${target%%/*}"
    if [ "$top" = "$target" ]; then
      echo "layering: $hit  (an include names its folder from the repository root)"
      status=1
    elif [[ "$ok" != *" $top "* ]]; then
      echo "layering: $hit  ($lib/ may not include $top/)"
      status=1
    elif [ "$target" = "framework/fw.h" ]; then
      echo "layering: $hit  (framework/fw.h is for tests and harnesses: include the modules used)"
      status=1
    elif [ "$lib" = toolkit ] && [ "$top" = toolkit ]; then
      from="$(area_of "$file")"
      to="$(area_of "$target")"
      if [ "$(area_rank "$to")" -gt "$(area_rank "$from")" ] &&
        [[ "$AREA_EXCEPTIONS" != *$'\n'"$file $target"$'\n'* ]]; then
        echo "layering: $hit  (toolkit/$from/ may not include toolkit/$to/)"
        status=1
      fi
    fi
  done < <(grep -rnHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$lib" --include='*.h' --include='*.cpp' 2>/dev/null)
done
exit $status
