#!/usr/bin/env bash
# Browse on the client location page, then Esc in the file dialog: the field keeps the client's
# path. Enter in the field then presses Next, as the button's default look promises, and the wizard
# goes on to the next page.
source "$(dirname "$0")/session.sh"

# Waits until `count` visible windows have titles that match the pattern.
windows() {
  local pattern=$1 count=$2
  for _ in $(seq 1 200); do
    [ "$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | wc -l)" -ge "$count" ] && return 0
    sleep 0.1
  done
  fail "fewer than $count windows \"$pattern\" came up"
}

start_program
keys '^Pellacore Bootwright$' alt+c
sleep 0.3
xdotool key s
keys '^Select Pellacore Client' alt+r
windows '^Select Pellacore Client' 2
sleep 0.5
xdotool key --clearmodifiers Escape
sleep 0.5
# The keys are back in the field, which still names the client.
keys '^Select Pellacore Client' Return
window '^Standalone Parameters' >/dev/null
echo "Esc in Browse kept the client's path; Enter in the field pressed Next"
