#!/usr/bin/env bash
# Whole bootwright-cli runs against the cost of copying the same files, on this machine as it is:
#   hosts: Multicast diskettes onto new images from a host list (--hosts) of each size given,
#          against a loop of as many floors (mformat -C -f 1440, then one recursive mcopy of the
#          files the build puts on a diskette), with the peak memory (RSS) of each run;
#   dir:   one Multicast build into a new folder against `cp -r` of the same files (median of 21),
#          and a host list of 100 folders against 100 `cp -r`.
#
#   bench/host_scaling.sh [BOOTWRIGHT_CLI] [HOSTS...]     (defaults: build/default/src/bootwright-cli 10 100 1000)
set -euo pipefail
# Times are read from the shell ($EPOCHREALTIME), not from a `date` process that would add its
# own start to every interval; the C locale gives them a decimal point.
export LC_ALL=C

cli=$(realpath "${1:-build/default/src/bootwright-cli}")
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10 100 1000)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The sources of a typical Multicast build: a 120 KB client, a 30 KB NDIS driver, the stack files.
prog=$work/prog
mkdir -p "$prog/nics" "$prog/pella"
head -c 122880 /dev/urandom >"$prog/pella/client.exe"
head -c 30720 /dev/urandom >"$prog/nics/ne2000.dos"
for f in netbind.com:12 dis_pkt9.dos:8 protman.exe:14 protman.dos:20; do
    head -c $((${f#*:} * 1024)) /dev/urandom >"$prog/nics/${f%:*}"
done
printf '[LOCATIONS]\r\nNICDriverPath=%s/nics/\r\nClient=%s/pella/client.exe\r\n' "$prog" "$prog" >"$prog/PCBW.INI"
build=(--dir "$prog" build --set "nic.driver=$prog/nics/NE2000.DOS" --set multicast.mask=255.255.0.0)
one=(--set multicast.ip=10.1.0.1 --set multicast.name=LAB0)

since() { echo "$2 - $1" | bc; } # start end -> seconds

# What one build puts on a diskette, as files to copy.
mkdir "$work/sample"
"$cli" "${build[@]}" "${one[@]}" --drive "A=$work/sample" >/dev/null 2>&1
files=("$work"/sample/*)

echo "hosts  build_s  floors_s  ratio  peak_rss_kb"
for n in "${sizes[@]}"; do
    list=$work/lab.csv
    echo "name,address" >"$list"
    for ((i = 1; i <= n; i++)); do echo "LAB$i,10.1.$((i / 250)).$((i % 250 + 1))" >>"$list"; done
    rm -rf "$work/out" && mkdir "$work/out"
    t=$EPOCHREALTIME
    /usr/bin/time -f %M -o "$work/rss" "$cli" "${build[@]}" --hosts "$list" --drive "A=$work/out/{name}.img" >/dev/null 2>&1
    e=$EPOCHREALTIME
    b=$(since "$t" "$e")
    rm -rf "$work/floor" && mkdir "$work/floor"
    t=$EPOCHREALTIME
    for ((i = 1; i <= n; i++)); do
        mformat -C -f 1440 -i "$work/floor/$i.img" ::
        mcopy -s -i "$work/floor/$i.img" "${files[@]}" ::
    done
    e=$EPOCHREALTIME
    f=$(since "$t" "$e")
    printf '%5d  %7.2f  %8.2f  %5.2f  %s\n' "$n" "$b" "$f" "$(echo "$b / $f" | bc -l)" "$(cat "$work/rss")"
done

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
for ((i = 0; i < 21; i++)); do
    rm -rf "$work/d" "$work/c" && mkdir "$work/d"
    t=$EPOCHREALTIME
    "$cli" "${build[@]}" "${one[@]}" --drive "A=$work/d" >/dev/null 2>&1
    e=$EPOCHREALTIME
    since "$t" "$e" >>"$work/dir_b"
    t=$EPOCHREALTIME
    cp -r "$work/sample" "$work/c"
    e=$EPOCHREALTIME
    since "$t" "$e" >>"$work/dir_c"
done
b=$(median <"$work/dir_b")
c=$(median <"$work/dir_c")
printf 'directory build %.4f s, cp -r %.4f s, ratio %.1f\n' "$b" "$c" "$(echo "$b / $c" | bc -l)"

# A lab's folders: one run over a host list of 100 against 100 `cp -r`.
list=$work/lab.csv
echo "name,address" >"$list"
rm -rf "$work/out" "$work/copies" && mkdir "$work/out" "$work/copies"
for ((i = 1; i <= 100; i++)); do
    echo "LAB$i,10.1.0.$i" >>"$list"
    mkdir "$work/out/LAB$i"
done
t=$EPOCHREALTIME
"$cli" "${build[@]}" --hosts "$list" --drive "A=$work/out/{name}" >/dev/null 2>&1
e=$EPOCHREALTIME
b=$(since "$t" "$e")
t=$EPOCHREALTIME
for ((i = 1; i <= 100; i++)); do cp -r "$work/sample" "$work/copies/LAB$i"; done
e=$EPOCHREALTIME
c=$(since "$t" "$e")
printf '100 folders %.3f s, 100 cp -r %.3f s, ratio %.2f\n' "$b" "$c" "$(echo "$b / $c" | bc -l)"
