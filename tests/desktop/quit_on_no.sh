#!/usr/bin/env bash
# A no-network diskette built through the real program's windows with the keyboard alone, then
# "No" on "Create Another?": the program ends, with status 0, and the diskette is there.
source "$(dirname "$0")/session.sh"

start_program
keys '^Pellacore Bootwright$' alt+c
sleep 0.3
xdotool key s
keys '^Select Pellacore Client' alt+n
keys '^Standalone Parameters' End
keys '^Standalone Parameters' alt+n
keys '^Client Diskette Parameters' alt+n
keys '^Diskette Location' alt+n
window '^Create Client Diskette' >/dev/null
# The build runs by itself; its last question comes in a box of its own.
sleep 1
keys '^Pellacore Bootwright$' alt+n

wait_for_end
[ "$status" = 0 ] || fail "the program ended with status $status: $(cat "$work/out.log")"
mtype -i "$image" ::/AUTOEXEC.BAT | grep -q 'Standalone Mode, No Networking' ||
  fail "the diskette was not built"
echo "No ended the program with status 0; the diskette was built"
