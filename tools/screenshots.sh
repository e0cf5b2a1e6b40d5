#!/usr/bin/env bash
# Takes the screenshots of the desktop program under Xvfb into docs/screenshots:
# the main window with faxes in both lists, the Send Fax window, the
# configuration report, the quick setup, the preferences wizard on its modem
# page, the main window in receive mode on a modem of the software telephone
# line, and the Find Modem window finding that modem.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
vl_install_missing "${VL_PACKAGES[@]}" xvfb xauth
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target vellora-screenshots linesim
work=$(mktemp -d)
trap 'kill "$line" 2>/dev/null || true; rm -rf "$work"' EXIT
build/tools/linesim/linesim --a class1 --b faxterm --link-a "$work/modem" --timeout 120 >"$work/line.log" 2>&1 &
line=$!
for _ in $(seq 50); do [ -e "$work/modem" ] && break; sleep 0.1; done
xvfb-run -a -s "-screen 0 1280x800x24" build/tools/screenshots/vellora-screenshots docs/screenshots --port "$work/modem"
