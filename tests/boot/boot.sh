#!/usr/bin/env bash
# Boots diskettes that bootwright-cli built in QEMU and requires each to print its own AUTOEXEC.BAT
# and WATTCP.CFG to the first serial port, line by line in order. The DOS system comes from a
# stand-in template made here: a SYSLINUX diskette whose syslinux.cfg types a marker and those files
# with cat.c32 and then reboots, which ends QEMU (-no-reboot).
#   boot.sh PATH-TO-bootwright-cli BUILD_DIR ROUTE
# ROUTE: multicast, no_network, rebuild, batch (from the floppy drive), pxelinux, ipxe (two hosts
# over QEMU's own user-mode network, confined to the process by restrict=on), try (bootwright-cli
# try leaves a diskette as it was), blank (a diskette without a system says so).
set -euo pipefail

cli=${1:?usage: $0 CLI BUILD_DIR ROUTE}
build=${2:?build directory}
route=${3:?route}
src=$(cd "$(dirname "$0")/../.." && pwd)
modules=/usr/lib/syslinux/modules/bios
marker=BOOTWRIGHT-STAND-IN-SYSTEM

skip() {
  echo "SKIPPED: $* (install it with scripts/install-deps.sh)"
  exit 77
}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

for tool in qemu-system-x86_64:qemu-system-x86 syslinux:syslinux mtype:mtools; do
  command -v "${tool%%:*}" >/dev/null || skip "${tool%%:*} is missing (package ${tool#*:})"
done
for f in "$modules/cat.c32:syslinux-common" "$modules/reboot.c32:syslinux-common" \
         "/usr/lib/syslinux/memdisk:syslinux-common" "/usr/lib/PXELINUX/pxelinux.0:pxelinux" \
         "/usr/lib/ipxe/qemu/pxe-e1000.rom:ipxe-qemu"; do
  [ -f "${f%%:*}" ] || skip "${f%%:*} is missing (package ${f#*:})"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dir=$work/dir
template=$work/dos.img

# The stand-in system diskette, with the files the build looks for so that it warns of none.
mformat -C -f 1440 -i "$template" ::
syslinux --install "$template"
printf '%s\r\n' 'SERIAL 0 115200' 'PROMPT 0' 'TIMEOUT 1' \
  'DEFAULT cat.c32 MARKER.TXT AUTOEXEC.BAT CONFIG.SYS WATTCP.CFG' 'ONTIMEOUT reboot.c32' \
  > "$work/syslinux.cfg"
printf '%s\r\n' "$marker" > "$work/MARKER.TXT"
mcopy -i "$template" "$work/syslinux.cfg" "$work/MARKER.TXT" "$modules"/{cat,reboot,libcom32}.c32 ::/
for f in COMMAND.COM HIMEM.SYS EMM386.EXE; do
  printf 'stand-in %s\r\n' "$f" > "$work/$f"
  mcopy -i "$template" "$work/$f" ::/
done
printf '\xf8\x02' > "$work/sercon" # SeaBIOS: mirror the screen to COM2

"$src/scripts/make-demo.sh" "$dir" "$build" >/dev/null
bw() { "$cli" --dir "$dir" --template "$template" --quiet "$@"; }
multicast=(build --set 'nic.driver=C:\NICS\NE2000.DOS' --set multicast.mask=255.255.255.0)

# Boots one machine, its serial output in LOG.com1 and LOG.com2. Extra arguments pick the boot.
boot() {
  local log=$1 seconds=$2
  shift 2
  timeout "$seconds" qemu-system-x86_64 -machine accel=tcg -display none -no-reboot -m 64 \
    -serial "file:$log.com1" -serial "file:$log.com2" -fw_cfg name=etc/sercon-port,file="$work/sercon" \
    "$@" 2>"$log.qemu" || echo "qemu ended with status $? (124: timed out after $seconds s)" >>"$log.qemu"
}
boot_floppy() { boot "$1" 30 -drive "if=floppy,format=raw,file=$2,snapshot=on" -boot a; }
boot_network() { # log, MAC, boot file
  boot "$1" 60 -netdev "user,id=n0,restrict=on,tftp=$work/tftp,bootfile=$3" \
    -device "e1000,netdev=n0,mac=$2,romfile=/usr/lib/ipxe/qemu/pxe-e1000.rom" -boot n
}

# Lines of a file on the image, without CR and blank lines.
lines_of() { mtype -i "$1" "::/$2" | tr -d '\r' | grep -v '^[[:space:]]*$' || true; }

# Succeeds when the log shows the marker, then every line of the image's AUTOEXEC.BAT and (when it
# has one) WATTCP.CFG in order; otherwise names the first line missing.
printed() {
  local log=$1 image=$2
  {
    echo "$marker"
    lines_of "$image" AUTOEXEC.BAT
    if mdir -i "$image" ::/WATTCP.CFG >/dev/null 2>&1; then lines_of "$image" WATTCP.CFG; fi
  } >"$log.want"
  tr -d '\r' <"$log.com1" | awk -v want="$log.want" '
    BEGIN { while ((getline l < want) > 0) w[n++] = l }
    i < n { k = length($0) - length(w[i]); if (k >= 0 && substr($0, k + 1) == w[i]) i++ }
    END { if (i < n) { print "missing from the serial log: " w[i]; exit 1 } }'
}

require_printed() { # log, image
  printed "$1" "$2" && return 0
  echo "--- COM1 ($1.com1)"; cat -v "$1.com1"
  echo "--- screen (COM2)"; tr -d '\r' <"$1.com2" | cat -v | tail -n 25
  echo "--- qemu"; cat "$1.qemu"
  fail "the diskette $2 did not print its own files when booted ($route)"
}

case $route in
multicast)
  bw "${multicast[@]}" --set multicast.ip=10.0.0.5 --set multicast.name=LAB1 --drive "A=$work/a.img"
  boot_floppy "$work/a" "$work/a.img"
  require_printed "$work/a" "$work/a.img"
  ;;
no_network)
  bw build --set build.mode=4 --drive "A=$work/a.img"
  boot_floppy "$work/a" "$work/a.img"
  require_printed "$work/a" "$work/a.img"
  ;;
rebuild)
  bw "${multicast[@]}" --set multicast.ip=10.0.0.5 --set multicast.name=OLD --drive "A=$work/a.img"
  bw "${multicast[@]}" --set multicast.ip=10.0.0.6 --set multicast.name=NEW --drive "A=$work/a.img"
  boot_floppy "$work/a" "$work/a.img"
  require_printed "$work/a" "$work/a.img"
  ;;
batch)
  bw "${multicast[@]}" --set multicast.ip=10.0.0.5 --set multicast.name=LAB1 --drive "A=$work/a.img"
  cp "$work/a.img" "$work/copy.img"
  "$cli" --dir "$dir" --quiet batch --ip 10.0.0.21 --name LAB21 "$work/copy.img"
  boot_floppy "$work/copy" "$work/copy.img"
  require_printed "$work/copy" "$work/copy.img"
  ;;
pxelinux | ipxe)
  # The second name holds what a TFTP path or a URL would read otherwise: # starts a fragment and
  # %41 would be an "A" unless the script escapes it.
  printf '%s\n' 'name,address,mac' 'LAB1,10.0.2.11,52:54:00:00:02:01' 'PC#2%41,10.0.2.12,52:54:00:00:02:02' \
    >"$work/lab.csv"
  mkdir -p "$work/tftp/images"
  cp /usr/lib/PXELINUX/pxelinux.0 "$modules/ldlinux.c32" /usr/lib/syslinux/memdisk "$work/tftp/"
  bw "${multicast[@]}" --hosts "$work/lab.csv" --drive "A=$work/tftp/images/{name}.img" --pxe "$work/tftp"
  bootfile=pxelinux.0
  [ "$route" = ipxe ] && bootfile=bootwright.ipxe
  boot_network "$work/h1" 52:54:00:00:02:01 "$bootfile" &
  boot_network "$work/h2" 52:54:00:00:02:02 "$bootfile" &
  wait
  require_printed "$work/h1" "$work/tftp/images/LAB1.img"
  require_printed "$work/h2" "$work/tftp/images/PC#2%41.img"
  # The check itself must tell the hosts apart: host 1's boot does not show host 2's files.
  if printed "$work/h1" "$work/tftp/images/PC#2%41.img" >/dev/null; then
    fail "host 1's serial log passed as host 2's diskette: the check proves nothing"
  fi
  ;;
blank)
  # Built without a template, the diskette has no system: its own loader says so on the screen
  # (mirrored to COM2) and waits for a key, so the machine is stopped once the words are there.
  "$cli" --dir "$dir" --quiet build --set build.mode=4 --drive "A=$work/a.img"
  boot "$work/a" 60 -drive "if=floppy,format=raw,file=$work/a.img,snapshot=on" -boot a &
  for _ in $(seq 1 600); do
    grep -q 'Replace and press any key when ready' "$work/a.com2" 2>/dev/null && break
    sleep 0.1
  done
  pkill -f -- "file=$work/a.img," || true
  wait
  grep -q 'Non-system disk or disk error' "$work/a.com2" ||
    { tr -d '\r' <"$work/a.com2" | cat -v; cat "$work/a.qemu"; fail "the blank diskette did not say it has no system"; }
  ;;
try)
  # A diskette whose boot sector writes itself into the second sector and halts: booted as such
  # (the control) it changes; tried, it must stay as it was. The comma is QEMU's option separator.
  image="$work/writes, itself.img"
  truncate -s 1474560 "$image"
  printf '\x31\xc0\x8e\xc0\xbb\x00\x7c\xb8\x01\x03\xb9\x02\x00\xba\x00\x00\xcd\x13\xfa\xf4\xeb\xfd' |
    dd of="$image" conv=notrunc status=none
  printf '\x55\xaa' | dd of="$image" bs=1 seek=510 conv=notrunc status=none
  cp "$image" "$work/control.img"
  qemu-system-x86_64 -machine accel=tcg -display none -m 64 \
    -drive "if=floppy,format=raw,file=$work/control.img" -boot a 2>/dev/null &
  control=$! started=$SECONDS
  for _ in $(seq 1 300); do
    cmp -s "$image" "$work/control.img" || break
    sleep 0.1
  done
  kill "$control" && wait "$control" || true
  cmp -s "$image" "$work/control.img" && fail "the control diskette was not written: the check proves nothing"
  # The try runs twice as long as the control took to write, so a write would have happened.
  seconds=$((2 * (SECONDS - started) + 3))
  before=$(md5sum <"$image")
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY "$cli" --dir "$dir" try --timeout "$seconds" "$image" </dev/null >"$work/try.out" 2>&1 ||
    status=$?
  [ "$status" -eq 0 ] || { cat -v "$work/try.out"; fail "bootwright-cli try ended with status $status"; }
  [ "$(md5sum <"$image")" = "$before" ] || fail "bootwright-cli try let the virtual machine write to the diskette"
  # On a terminal the screen comes to it: what the BIOS writes shows there.
  grep -q 'Booting from Floppy' "$work/try.out" || { cat -v "$work/try.out"; fail "the terminal did not show the screen"; }
  ;;
*) fail "unknown route $route" ;;
esac
echo "booted: $route"
