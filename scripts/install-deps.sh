#!/usr/bin/env bash
# Installs from Debian's packages whatever the build, the tests and the demo need and is missing.
# Safe to run again: it does nothing when everything is there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format clang-tidy
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libqt6test6 libgl-dev libqt6svg6
  mtools dosfstools
  fonts-dejavu-core
  libbenchmark-dev
  xvfb xauth xdotool openbox
  desktop-file-utils appstream lintian librsvg2-bin dpkg-dev file man-db mount
  qemu-system-x86 qemu-system-gui syslinux syslinux-common pxelinux ipxe-qemu
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing from Debian's packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
