# Shared by the scripts: a private Xvfb on a free display, stopped with what else was started.
# shellcheck shell=bash

PIX_XVFB_PID=""

pix_start_xvfb() {
  local n=90
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do
    n=$((n + 1))
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -ac >/dev/null 2>&1 &
  PIX_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X${n}" ] && break
    sleep 0.05
  done
  setxkbmap -display "$DISPLAY" us >/dev/null 2>&1 || true
}

pix_stop_all() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$PIX_XVFB_PID" ]; then
    kill "$PIX_XVFB_PID" >/dev/null 2>&1 || true
    wait "$PIX_XVFB_PID" 2>/dev/null || true
  fi
}
