#!/usr/bin/env bash
# Takes the screenshots of the desktop program under Xvfb into docs/screenshots:
# the main window with faxes in both lists, the Send Fax window, the
# configuration report, the quick setup, the preferences wizard on its modem
# and sending pages, the main window in receive mode on a modem of the software telephone
# line, the Find Modem window finding that modem, the cover sheet editor,
# the template picker, the phone book in both layouts with its editor, the
# index rebuild at work, the fax log cleanup utility, the help window on the
# fax problem solver, each shipped cover
# template filled in and rendered as a fax page, and the desktop notification
# of a received fax as a notification server draws it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
vl_install_missing "${VL_PACKAGES[@]}" xvfb xauth notification-daemon
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target vellora-screenshots vellora-cli cover-templates help-pages linesim
work=$(mktemp -d)
trap 'kill "$line" 2>/dev/null || true; rm -rf "$work"' EXIT
build/tools/linesim/linesim --a class1 --b faxterm --link-a "$work/modem" --timeout 120 >"$work/line.log" 2>&1 &
line=$!
for _ in $(seq 50); do [ -e "$work/modem" ] && break; sleep 0.1; done
xvfb-run -a -s "-screen 0 1280x800x24" build/tools/screenshots/vellora-screenshots docs/screenshots --port "$work/modem"

printf '[User]\nName=Jordan Ellis\nCompany=Ellis & Partners Ltd\nFax=+1 555 0101\nVoice=+1 555 0100\n' >"$work/VL.INI"
printf 'Please find the signed contract attached. Call me when you have read it.\n\nThanks,\nJordan\n' >"$work/message.txt"
for template in build/share/vellora/Covers/*.fct; do
  name=$(basename "$template" .fct)
  VELLORA_HOME="$work" build/src/cli/vellora-cli cover render "$template" -o "$work/$name.APF" \
    --to "Alex Morgan" --fax "+1 555 0199" --regarding "Contract renewal" --message "$work/message.txt" \
    --flags "X X  " >/dev/null
  build/src/cli/vellora-cli export "$work/$name.APF" --format png -o "docs/screenshots/cover-$name.png"
done

# The notification server on a session bus of the shot's own, finding the
# program's icon where an installation puts it.
mkdir -p "$work/icons/hicolor/64x64/apps"
cp share/vellora.png "$work/icons/hicolor/64x64/apps/"
XDG_DATA_DIRS="$work:/usr/share" xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- sh -c \
  '/usr/lib/notification-daemon/notification-daemon & build/tools/screenshots/vellora-screenshots "$0" --notification' \
  docs/screenshots
