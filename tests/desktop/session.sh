#!/usr/bin/env bash
# The real desktop program under an X server and a window manager, driven by keys as a person
# drives it. Library for the scripts beside it: source it, then call start_program and the steps.
set -euo pipefail

gui=${1:?usage: $0 PATH-TO-bootwright}
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A program directory as a user's would be after set-up: hints off, drive A: an image that holds the
# DOS system files, the client program at a known place.
export XDG_CONFIG_HOME="$work/config"
program_dir="$XDG_CONFIG_HOME/bootwright"
mkdir -p "$program_dir" "$work/dos"
printf 'client program\r\n' > "$work/client.exe"
printf '[CONFIG]\r\nShowHint1=0\r\nShowHint2=0\r\nShowHint3=0\r\nShowHint4=0\r\nShowHint5=0\r\n[LOCATIONS]\r\nClient=%s\r\n[DRIVES]\r\nA=%s\r\n' \
  "$work/client.exe" "$program_dir/A.img" > "$program_dir/PCBW.INI"
image="$program_dir/A.img"
mformat -f 1440 -C -i "$image" :: >/dev/null
for f in himem.sys emm386.exe command.com; do
  printf 'system file\r\n' > "$work/dos/$f"
  mcopy -i "$image" "$work/dos/$f" "::/$(tr a-z A-Z <<<"$f")"
done

# Waits until a visible window whose title matches the pattern is there; prints its id.
window() {
  local pattern=$1 id
  for _ in $(seq 1 200); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | tail -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "no window \"$pattern\" came up"
}

# Waits up to a minute for the program's message box, which comes once a diskette is written and
# read back (a build under load takes its time).
wait_for_box() {
  for _ in $(seq 1 60); do
    xdotool search --onlyvisible --name '^Pellacore Bootwright$' >/dev/null 2>&1 && return 0
    sleep 1
  done
}

# Brings the window to the front and gives it the keys, as a person would after clicking into it.
keys() {
  local pattern=$1
  shift
  local id
  id=$(window "$pattern")
  xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
  sleep 0.2
  xdotool key --clearmodifiers "$@"
}

start_program() {
  openbox >/dev/null 2>&1 &
  pids+=($!)
  sleep 0.5
  env -u QT_QPA_PLATFORM "$gui" >"$work/out.log" 2>&1 &
  program=$!
  pids+=($program)
}

# Waits for the program to end and sets `status` to its exit status.
wait_for_end() {
  status=0
  for _ in $(seq 1 200); do
    if ! kill -0 "$program" 2>/dev/null; then
      wait "$program" || status=$?
      return 0
    fi
    sleep 0.1
  done
  fail "the program did not end; its output: $(cat "$work/out.log")"
}
