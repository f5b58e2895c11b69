#!/usr/bin/env bash
# Unpacks the Debian package into a throwaway root and uses the programs from there as a user who
# installed it would: versions, a first start that seeds the program directory with the installed
# catalogues, a build onto an image, the manual pages and the completion.
# usage: install_package.sh PACKAGE_DIR SOURCE_DIR
set -euo pipefail
out=$1 source=$2
debs=("$out"/*.deb)
[ -f "${debs[0]}" ] || { echo "no package in $out: the test package_build makes it"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
dpkg-deb -x "${debs[0]}" "$root"
cli=$root/usr/bin/bootwright-cli
fail() { echo "FAILED: $*"; exit 1; }

version=$("$cli" --version)
[ "$version" = "bootwright-cli $(dpkg-deb -f "${debs[0]}" Version)" ] || fail "bootwright-cli --version said: $version"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/bootwright" --version)
[[ $version == "bootwright "* ]] || fail "bootwright --version said: $version"

# A user without a program directory: the first start makes ~/.config/bootwright and copies the
# installed catalogues into it.
export HOME=$work/home
unset XDG_CONFIG_HOME
mkdir -p "$HOME"
"$cli" list >/dev/null
prog=$HOME/.config/bootwright
for catalogue in PCBWNICM.INI PCBWNICS.INI; do
  cmp "$root/usr/share/bootwright/$catalogue" "$prog/$catalogue" || fail "$catalogue was not seeded into $prog"
done

# The drivers and the client program where PCBW.INI says; the card chosen by its catalogue name.
mkdir -p "$work/c/nics" "$work/c/pella"
for f in NE2000.DOS netbind.com dis_pkt9.dos protman.exe protman.dos; do echo "placeholder $f" >"$work/c/nics/$f"; done
echo "placeholder client" >"$work/c/pella/client.exe"
printf '[LOCATIONS]\r\nNICDriverPath=%s/c/nics/\r\nClient=%s/c/pella/client.exe\r\n' "$work" "$work" >"$prog/PCBW.INI"
"$cli" build --set 'nic.entry=Novell NE2000 Compatible' --set 'nic.selection=Novell NE2000 Compatible' --set multicast.ip=10.0.0.5 \
  --set multicast.mask=255.255.255.0 --set multicast.name=lab1 >"$work/build.out" 2>"$work/build.err" ||
  { cat "$work/build.err"; fail "the build from the unpacked package failed"; }
[ "$(cat "$work/build.out")" = "$(printf '1\t%s\t10.0.0.5\tLAB1' "$prog/A.img")" ] || fail "build printed: $(cat "$work/build.out")"
fsck.fat -n "$prog/A.img" >/dev/null || fail "fsck.fat -n found errors in $prog/A.img"
mtype -i "$prog/A.img" ::/NE2000.DOS | grep -q "placeholder NE2000.DOS" || fail "the catalogue's driver is not on the diskette"

# The manual pages as man shows them, and the completion as bash loads it.
for page in bootwright bootwright-cli; do
  warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done
bash -c "source '$root/usr/share/bash-completion/completions/bootwright-cli' && complete -p bootwright-cli" |
  grep -q _bootwright_cli || fail "the completion does not register for bootwright-cli"
echo "the unpacked package builds a diskette; manual pages and completion load"
