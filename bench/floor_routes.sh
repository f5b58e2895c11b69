#!/usr/bin/env bash
# Each route's build onto a new image against the floor: mformat -C -f 1440 plus one recursive
# mcopy of the very files that build put on the diskette. Whole processes, medians of N runs, and
# the tool processes one build starts, mtools and fsck.fat (counted in one extra run through a shim
# on PATH).
#
#   bench/floor_routes.sh [N] [bootwright-cli ...]
#
# With several programs named (say one built before a change and one after), each is measured in
# the same run, route by route, so that the machine's load weighs on all of them alike.
set -euo pipefail
# Times are read from the shell ($EPOCHREALTIME), not from a `date` process that would add its
# own start to every interval; the C locale gives them a decimal point.
export LC_ALL=C

runs=${1:-9}
shift || true
programs=("$@")
[[ ${#programs[@]} -gt 0 ]] || programs=("$(dirname "$0")/../build/default/src/bootwright-cli")

work=$(mktemp -d "${TMPDIR:-/tmp}/bw-floor.XXXXXX")
trap 'rm -rf "$work"' EXIT
prog=$work/prog
export MTOOLS_SKIP_CHECK=1 MTOOLS_NO_VFAT=1

# Sources of a typical lab: a 120 KB client, a 30 KB NIC driver and each stack's files (4-20 KB).
put() { mkdir -p "$(dirname "$1")" && head -c "$2" /dev/urandom >"$1"; }
put "$prog/pella/client.exe" 122880
put "$prog/nics/ne2000.dos" 30720
for f in netbind.com dis_pkt9.dos protman.exe protman.dos; do put "$prog/nics/$f" 12288; done
for f in MAP.EXE VLM.EXE IPXODI.COM LSL.COM AUTO.VLM BIND.VLM CONN.VLM FIO.VLM GENERAL.VLM \
    IPXNCP.VLM NDS.VLM NETX.VLM NWP.VLM PRINT.VLM REDIR.VLM RSA.VLM SECURITY.VLM TRAN.VLM; do
    put "$prog/nw/$f" 16384
done
for f in NET.EXE NETBIND.COM UMB.COM TCPTSR.EXE TINYRFC.EXE NET.MSG NETH.MSG IFSHLP.SYS \
    NDISHLP.SYS WFWSYS.CFG NEMM.DOS TCPDRV.DOS PROTMAN.DOS PROTMAN.EXE LMHOSTS TCPUTILS.INI; do
    put "$prog/ms/$f" 16384
done
printf '[LOCATIONS]\r\nNICDriverPath=%s/nics/\r\nNovellDriverPath=%s/nw/\r\nMicrosoftDriverPath=%s/ms/\r\nClient=%s/pella/client.exe\r\n' \
    "$prog" "$prog" "$prog" "$prog" >"$prog/PCBW.INI"

common=(--set "TForm4.Edit2=$prog/NICS/NE2000.DOS")
declare -A route=(
    [Multicast]="--set BuildMode=1 --set TForm6.Edit1=10.0.0.5 --set TForm6.Edit2=255.255.255.0 --set TForm6.Edit3=client01"
    [NetWare]="--set BuildMode=2 --set TForm9.ComboBox1=0"
    [Microsoft TCP/IP]="--set BuildMode=2 --set TForm9.ComboBox1=1 --set TForm40.Edit1=10.1.1.1 --set TForm40.Edit3=PC1"
    [no network]="--set BuildMode=4"
)
order=("Multicast" "NetWare" "Microsoft TCP/IP" "no network")

median() { sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

build() { # program image route -> seconds; fails when the build does not succeed
    local start end
    rm -f "$2"
    start=$EPOCHREALTIME
    # shellcheck disable=SC2086
    "$1" --dir "$prog" build "${common[@]}" ${route[$3]} --drive "A=$2" >/dev/null 2>&1 </dev/null ||
        { echo "build of $3 with $1 failed" >&2; exit 1; }
    end=$EPOCHREALTIME
    echo "$end - $start" | bc -l
}

floor() { # folder of the diskette's files -> seconds
    local start end
    rm -f "$work/floor.img"
    start=$EPOCHREALTIME
    mformat -C -f 1440 -i "$work/floor.img" ::
    mcopy -s -i "$work/floor.img" "$1"/* ::/
    end=$EPOCHREALTIME
    echo "$end - $start" | bc -l
}

# A PATH shim that counts every mtools and fsck.fat process the program starts.
shim=$work/shim
mkdir -p "$shim"
for tool in mdir mcopy mattrib mdel mmd mformat mtype fsck.fat; do
    real=$(PATH=$PATH:/usr/sbin:/sbin command -v "$tool")
    printf '#!/bin/sh\necho x >>"%s/count"\nexec %s "$@"\n' "$work" "$real" >"$shim/$tool"
    chmod +x "$shim/$tool"
done
processes() { # program route -> tool processes of one build
    : >"$work/count"
    PATH=$shim:$PATH build "$1" "$work/count.img" "$2" >/dev/null
    wc -l <"$work/count"
}

printf '| build onto a new image | program | median | floor | x floor | tool processes |\n'
printf '|---|---|---|---|---|---|\n'
for name in "${order[@]}"; do
    build "${programs[0]}" "$work/files.img" "$name" >/dev/null
    rm -rf "$work/files" && mkdir "$work/files"
    mcopy -s -n -m -i "$work/files.img" '::/*' "$work/files/"
    declare -A times=()
    floors=()
    for ((i = 0; i < runs; i++)); do
        floors+=("$(floor "$work/files")")
        for p in "${!programs[@]}"; do
            times[$p]+="$(build "${programs[$p]}" "$work/A.img" "$name") "
        done
    done
    f=$(printf '%s\n' "${floors[@]}" | median)
    for p in "${!programs[@]}"; do
        m=$(printf '%s\n' ${times[$p]} | median)
        printf '| %s | %s | %.3f s | %.3f s | %.1fx | %s |\n' "$name" "${programs[$p]}" "$m" "$f" \
            "$(echo "$m / $f" | bc -l)" "$(processes "${programs[$p]}" "$name")"
    done
    unset times
done
