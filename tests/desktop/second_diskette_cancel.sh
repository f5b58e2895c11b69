#!/usr/bin/env bash
# A Microsoft "Client on Floppy" build through the real program's windows with the keyboard, the
# drive an image: Escape in the dialog that asks for the second diskette's image cancels the build.
# The first diskette stays as it was when "Insert Disk #2..." came up, and no second image is made.
source "$(dirname "$0")/session.sh"

# The driver directories and the Microsoft NIC catalogue the route needs.
mkdir -p "$work/nics" "$work/msclient"
printf 'driver\r\n' > "$work/nics/ne2000.dos"
for f in NET.EXE NETBIND.COM UMB.COM TCPTSR.EXE TINYRFC.EXE NET.MSG NETH.MSG IFSHLP.SYS NDISHLP.SYS \
  WFWSYS.CFG NEMM.DOS TCPDRV.DOS PROTMAN.DOS PROTMAN.EXE LMHOSTS TCPUTILS.INI; do echo "$f" > "$work/msclient/$f"; done
printf '[NICS]\r\nNE2000 Compatible=ne2000.dos\r\n' > "$program_dir/PCBWNICM.INI"
printf '[CONFIG]\r\nShowHint1=0\r\nShowHint2=0\r\nShowHint3=0\r\nShowHint4=0\r\nShowHint5=0\r\n[LOCATIONS]\r\nClient=%s\r\nNICDriverPath=%s/\r\nMicrosoftDriverPath=%s/\r\n[DRIVES]\r\nA=%s\r\n' \
  "$work/client.exe" "$work/nics" "$work/msclient" "$image" > "$program_dir/PCBW.INI"

start_program
keys '^Pellacore Bootwright$' alt+c
sleep 0.3 && xdotool key s
keys '^Select Pellacore Client' alt+n
keys '^Standalone Parameters' Home Down Down alt+n # the third server type: Client on Floppy
# The computer name, on the third tab. The tab bar has the keys on arrival: to the first tab
# whichever is in front (the arrows stop at the ends), two on, then into the tab's field.
keys '^Microsoft Standalone Parameters' Left Left Left Left Right Right Tab
xdotool type --delay 50 'LAB-PC08'
keys '^Microsoft Standalone Parameters' alt+n
keys '^Select NIC' Home Return alt+n
keys '^NIC Parameters' alt+n
keys '^Client Diskette Parameters' alt+n
keys '^Diskette Location' alt+n
window '^Create Client Diskette' >/dev/null

# "Insert Disk #2..." comes in a box once the first diskette is written and read back.
wait_for_box
cp "$image" "$work/first.img"
keys '^Pellacore Bootwright$' Return
keys '^Second Diskette' Escape
# The build's last question: a cancelled build, then No ends the program.
sleep 1
keys '^Pellacore Bootwright$' alt+n
wait_for_end
[ "$status" = 0 ] || fail "the program ended with status $status: $(cat "$work/out.log")"

cmp -s "$image" "$work/first.img" || fail "the first diskette changed after the second was cancelled"
[ ! -e "$program_dir/A-2.img" ] || fail "a second image was made"
echo "Escape on \"Second Diskette\" cancelled the build; the first diskette is as it was"
