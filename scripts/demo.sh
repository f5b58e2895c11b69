#!/usr/bin/env bash
# Installs what is missing, builds, lays out the demo program directory ./demo and starts the
# wizard from it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target bootwright bootwright-cli
scripts/make-demo.sh "$PWD/demo" "$PWD/build/default"
exec ./demo/bootwright
