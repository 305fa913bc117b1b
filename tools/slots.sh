# Slots for running test entries side by side: each an Xvfb display and a copy of the project's
# Wine prefix with its own wine server, so that no entry's windows, input, focus or registry meet
# another's. CTest hands them out from a resources file (tools/in_slot.sh).
# shellcheck shell=bash

PIX_SLOT_XVFB_PIDS=()

# The processors this run may use: nproc, or fewer when the control group caps the CPU time (a
# container given two processors' worth of time on a larger machine sees all of its processors).
pix_cpu_count() {
  local cores quota period
  cores="$(nproc)"
  if [ -r /sys/fs/cgroup/cpu.max ]; then
    read -r quota period </sys/fs/cgroup/cpu.max
  elif [ -r /sys/fs/cgroup/cpu/cpu.cfs_quota_us ]; then
    quota="$(cat /sys/fs/cgroup/cpu/cpu.cfs_quota_us)"
    period="$(cat /sys/fs/cgroup/cpu/cpu.cfs_period_us)"
  fi
  if [[ "${quota:-max}" =~ ^[0-9]+$ ]] && [[ "${period:-0}" =~ ^[0-9]+$ ]] && [ "$quota" -gt 0 ] &&
    [ "$period" -gt 0 ]; then
    quota=$(((quota + period - 1) / period))
    [ "$quota" -lt "$cores" ] && cores="$quota"
  fi
  echo "$cores"
}

# How many entries run at once (PIX_TEST_SLOTS, or from the cores): most of a test's time is spent
# waiting for the window system, so more than the cores; past six the longest entry sets the length
# of the run anyway, and more would only load the machine.
pix_slot_count() {
  local cores
  cores="$(pix_cpu_count)"
  if [ -n "${PIX_TEST_SLOTS:-}" ]; then
    echo "$PIX_TEST_SLOTS"
  elif [ "$cores" -le 2 ]; then
    echo $((cores * 2))
  else
    echo $((cores + 2 > 6 ? 6 : cores + 2))
  fi
}

# Usage: pix_start_slots <count> <folder> <prefix to copy>
# Makes the slots under the folder and writes the resources file CTest reads, <folder>/resources.json.
# Displays are the first free ones from PIX_DISPLAY_BASE (90) up.
pix_start_slots() {
  local count="$1" dir="$2" base="$3" n="${PIX_DISPLAY_BASE:-90}" i ids=""
  rm -rf "$dir"
  mkdir -p "$dir"
  for ((i = 0; i < count; i++)); do
    mkdir -p "$dir/$i"
    while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do
      n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -ac >/dev/null 2>&1 &
    PIX_SLOT_XVFB_PIDS+=($!)
    echo ":$n" >"$dir/$i/display"
    cp -a "$base" "$dir/$i/wineprefix"
    n=$((n + 1))
    ids+="${ids:+,}{\"id\":\"$i\",\"slots\":1}"
  done
  for ((i = 0; i < count; i++)); do
    local display
    display="$(cat "$dir/$i/display")"
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X${display#:}" ] && break
      sleep 0.05
    done
    setxkbmap -display "$display" us >/dev/null 2>&1 || true
    # One wine server for the whole run, and Wine's background services started now, detached from
    # our output: a test program that started them would hand them its stdout, and CTest would wait
    # for that pipe to close.
    (
      export DISPLAY="$display" WINEPREFIX="$dir/$i/wineprefix"
      wineserver -p
      wine wineboot >/dev/null 2>&1 </dev/null || true
    )
  done
  printf '{"version":{"major":1,"minor":0},"local":[{"slot":[%s]}]}\n' "$ids" >"$dir/resources.json"
}

# Usage: pix_stop_slots <folder>
pix_stop_slots() {
  local dir="$1" prefix pid
  for prefix in "$dir"/*/wineprefix; do
    [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  done
  for pid in "${PIX_SLOT_XVFB_PIDS[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
  done
  PIX_SLOT_XVFB_PIDS=()
}
