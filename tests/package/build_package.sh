#!/usr/bin/env bash
# Builds the Debian package from a build tree as `cpack -G DEB` does and checks it as a user's
# apt would see it: its files, its dependencies, and lintian without errors.
# usage: build_package.sh BUILD_DIR SOURCE_DIR OUT_DIR
set -euo pipefail
build=$1 source=$2 out=$3

for tool in cpack dpkg-deb lintian; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

rm -rf "$out"
mkdir -p "$out"
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "cpack made no single package: ${debs[*]}"; exit 1; }
deb=${debs[0]}
echo "package: $deb"

status=0
# Every file where a Debian system looks for it, nothing else.
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\./|/|' -e '/\/$/d' | sort >"$out/files"
if ! diff -u "$source/tests/package/files.txt" "$out/files"; then
  echo "the package's files differ from tests/package/files.txt (- expected, + in the package)"
  status=1
fi

# Qt from dpkg-shlibdeps, the tools the programs start, and the SVG plugins Qt loads.
depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "Depends: $depends"
echo "Recommends: $recommends"
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 mtools libc6 libstdc\\+\\+6; do
  if ! grep -Eq "(^|, )$package( |,|$)" <<<"$depends"; then
    echo "Depends lacks $package"
    status=1
  fi
done
grep -Eq "(^|, )dosfstools( |,|$)" <<<"$recommends" || { echo "Recommends lacks dosfstools"; status=1; }
grep -Eq "(^|, )qemu-system-x86( |,|$)" <<<"$(dpkg-deb -f "$deb" Suggests)" ||
  { echo "Suggests lacks qemu-system-x86 (bootwright-cli try)"; status=1; }
[ "$(dpkg-deb -f "$deb" Package)" = bootwright ] || { echo "the package is not named bootwright"; status=1; }

# Errors fail the test; warnings and notes are shown for whoever reads the log.
if ! lintian --fail-on error --info "$deb" >"$out/lintian.log" 2>&1; then
  status=1
fi
echo "lintian:"
cat "$out/lintian.log"
exit $status
