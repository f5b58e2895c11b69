#!/usr/bin/env bash
# File, "Try a Diskette...", and "Try in Virtual Machine" in the box that ends a build: the image
# boots in a QEMU window beside the wizard, the wizard goes on taking keys while the machine runs,
# and closing the machine's window leaves it as it was.
source "$(dirname "$0")/session.sh"

command -v qemu-system-x86_64 >/dev/null || { echo "SKIPPED: qemu-system-x86_64 is missing"; exit 77; }
qemu-system-x86_64 -display help 2>/dev/null | grep -qx gtk ||
  { echo "SKIPPED: QEMU has no window (package qemu-system-gui)"; exit 77; }

start_program
keys '^Pellacore Bootwright$' alt+f
sleep 0.3
xdotool key t
window '^Try a Diskette' >/dev/null
sleep 0.5
xdotool type --delay 20 "$image"
xdotool key Return
machine=$(window 'Bootwright: A.img')

# The wizard is not waiting for the machine: the Multicast pages come up while it runs.
keys '^Pellacore Bootwright$' alt+c
sleep 0.3
xdotool key m
window '^Select Pellacore Client' >/dev/null

# Closed as a person closes a window: Alt+F4 through the window manager.
close_machine() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  sleep 0.3
  xdotool key --clearmodifiers alt+F4
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name 'Bootwright: A.img' >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the machine's window stayed open"
}
close_machine "$machine"
kill -0 "$program" || fail "the wizard ended with the machine"
# A machine closed by its user is no failure: no error box (titled as the hidden main window).
sleep 1
if xdotool search --onlyvisible --name '^Pellacore Bootwright$' >/dev/null 2>&1; then
  fail "a box came up after the machine was closed"
fi
keys '^Select Pellacore Client' Escape
keys '^Pellacore Bootwright$' Return # "Cancel ...?" OK: back to the main window
sleep 0.5

# A no-network diskette built into A.img: its last box offers the machine, and stays to be answered.
keys '^Pellacore Bootwright$' alt+c
sleep 0.3
xdotool key s
keys '^Select Pellacore Client' alt+n
keys '^Standalone Parameters' Home Down Down Down alt+n
keys '^Client Diskette Parameters' alt+n
keys '^Diskette Location' alt+n
window '^Create Client Diskette' >/dev/null
wait_for_box
keys '^Pellacore Bootwright$' alt+t
close_machine "$(window 'Bootwright: A.img')"
keys '^Pellacore Bootwright$' alt+n # "Create Another?" No: the program ends
wait_for_end
[ "$status" = 0 ] || fail "the program ended with status $status: $(cat "$work/out.log")"
echo "the diskette booted in a window beside the wizard, which took keys throughout"
