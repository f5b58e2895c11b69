#!/usr/bin/env bash
# Lays out a demo program directory: the two programs, PCBW.INI with the driver directories and
# the drive table, the NIC catalogues, driver directories holding placeholder files under the
# names the builds copy, and a placeholder client program. Drive C: is the folder c/ beside them;
# A: and B: are the images A.img and B.img, made blank the first time a build writes to them.
#   make-demo.sh DEMO_DIR BUILD_DIR
set -euo pipefail

demo=${1:?demo directory}
build=${2:?build directory}
src=$(cd "$(dirname "$0")/.." && pwd)

mkdir -p "$demo/c/NICS" "$demo/c/NWCLIENT" "$demo/c/MSCLIENT" "$demo/c/PELLA"
cp "$build/src/bootwright" "$build/src/bootwright-cli" "$demo/"
cp "$src/data/catalogue/PCBWNICM.INI" "$src/data/catalogue/PCBWNICS.INI" "$demo/"

# PCBW.INI is the user's file: lay it out only once, so switched-off hints stay off.
if [ ! -f "$demo/PCBW.INI" ]; then
  printf '%s\r\n' \
    '[LOCATIONS]' \
    'NICDriverPath=C:\NICS\' \
    'NovellDriverPath=C:\NWCLIENT\' \
    'MicrosoftDriverPath=C:\MSCLIENT\' \
    'Client=C:\PELLA\CLIENT.EXE' \
    '[DRIVES]' \
    'A=A.img' \
    'B=B.img' \
    'C=c' > "$demo/PCBW.INI"
fi

placeholder() { # file, what it stands for
  printf 'Placeholder for %s (%s). This demo file only stands in for the real one:\r\nput the file from your own distribution here before you boot a client with it.\r\n' \
    "$(basename "$1")" "$2" > "$1"
}

# NIC drivers named by the catalogues, and the packet-driver files of a Multicast diskette.
for f in $(sed -n 's/^[^=]*=\([^\r]*\)\r\?$/\1/p' "$src/data/catalogue/PCBWNICM.INI"); do
  placeholder "$demo/c/NICS/$f" "NDIS NIC driver"
done
for f in $(sed -n 's/^[^=]*=\([^\r]*\)\r\?$/\1/p' "$src/data/catalogue/PCBWNICS.INI"); do
  placeholder "$demo/c/NICS/$f" "ODI NIC driver"
done
for f in netbind.com dis_pkt9.dos protman.exe protman.dos; do
  placeholder "$demo/c/NICS/$f" "packet-driver stack"
done
for f in MAP.EXE VLM.EXE IPXODI.COM LSL.COM AUTO.VLM BIND.VLM CONN.VLM FIO.VLM GENERAL.VLM IPXNCP.VLM \
         NDS.VLM NETX.VLM NWP.VLM PRINT.VLM REDIR.VLM RSA.VLM SECURITY.VLM TRAN.VLM; do
  placeholder "$demo/c/NWCLIENT/$f" "NetWare DOS client"
done
for f in NET.EXE NETBIND.COM UMB.COM TCPTSR.EXE TINYRFC.EXE NET.MSG NETH.MSG IFSHLP.SYS NDISHLP.SYS \
         WFWSYS.CFG NEMM.DOS TCPDRV.DOS PROTMAN.DOS PROTMAN.EXE LMHOSTS TCPUTILS.INI; do
  placeholder "$demo/c/MSCLIENT/$f" "Microsoft network client"
done
placeholder "$demo/c/PELLA/CLIENT.EXE" "Pellacore client program"

echo "Demo program directory: $demo"
