#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vellora; with --demo, on a
# software telephone line instead of a modem (scripts/demo.sh). Other
# arguments go to vellora-cli.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
vl_install_missing "${VL_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
if [ "${1:-}" = "--demo" ]; then
  shift
  exec scripts/demo.sh build "$@"
fi
if [ $# -gt 0 ]; then
  exec build/src/cli/vellora-cli "$@"
fi
exec build/src/vellora/vellora
