#!/usr/bin/env bash
# Usage: in_slot.sh [--every-slot] <command> [args...]
# Runs a test command in the X display and Wine prefix of the slot CTest gave its entry (tools/test.sh
# makes the slots and names their folder in PIX_SLOTS; CTest hands out slot ids from the resources
# file it is given). With --every-slot the command runs once in each slot's prefix, for what every prefix must
# hold before the entries that need it. Without slots the command runs as it is started.
set -uo pipefail

every=0
if [ "${1:-}" = "--every-slot" ]; then
  every=1
  shift
fi

slot_env() {
  export DISPLAY
  DISPLAY="$(cat "$PIX_SLOTS/$1/display")"
  export WINEPREFIX="$PIX_SLOTS/$1/wineprefix"
}

if [ -z "${PIX_SLOTS:-}" ]; then
  exec "$@"
fi
if [ "$every" -eq 1 ]; then
  status=0
  for dir in "$PIX_SLOTS"/*/; do
    (slot_env "$(basename "$dir")" && "$@") || status=$?
  done
  exit $status
fi
if [ -n "${CTEST_RESOURCE_GROUP_0_SLOT:-}" ]; then
  # "id:2,slots:1"
  id="${CTEST_RESOURCE_GROUP_0_SLOT#id:}"
  slot_env "${id%%,*}"
fi
exec "$@"
