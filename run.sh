#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vellora.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
vl_install_missing "${VL_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
exec build/src/cli/vellora-cli "${@:---help}"
