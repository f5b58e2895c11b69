#!/usr/bin/env bash
# Browse on the client location page, then Esc in the file dialog: the field keeps the client's
# path, and Enter in it presses Next, as the button's default look promises.
source "$(dirname "$0")/session.sh"

start_program
keys '^Pellacore Bootwright$' alt+c
sleep 0.3
xdotool key s
keys '^Select Pellacore Client' alt+r
# The file dialog is titled as the page is.
for _ in $(seq 1 100); do
  [ "$(xdotool search --onlyvisible --name '^Select Pellacore Client' | wc -l)" -ge 2 ] && break
  sleep 0.1
done
sleep 0.5
xdotool key --clearmodifiers Escape
sleep 0.5
keys '^Select Pellacore Client' Return
window '^Standalone Parameters' >/dev/null
echo "Esc in Browse kept the client's path; Enter in the field pressed Next"
