#!/usr/bin/env bash
# Vellora without a modem: a demo data folder whose COM1 is end A (a Class 1
# fax modem) of a software telephone line whose end B is a fax machine
# (see `linesim --help`). The fax machine keeps what it receives in
# demo/received.tif; for `receive` it calls COM1 and sends demo/sample.tif.
# Usage: scripts/demo.sh BUILD_DIR [desktop | vellora-cli arguments]
# Without arguments it probes the modem and sends a sample page; with
# "desktop" it starts the desktop program there, with a sample fax in the
# outgoing list (the line carries one call).
set -euo pipefail
build=$1
shift
demo="$build/demo"
mkdir -p "$demo"
demo=$(cd "$demo" && pwd)
export VELLORA_HOME="$demo"
cli="$build/src/cli/vellora-cli"

# The page the fax machine sends when it calls.
if [ ! -s "$demo/sample.tif" ]; then
  pbmtext "A fax from the demo fax machine" | pnmpad -width 1728 -height 400 |
    pnmtotiff -g3 -xresolution 204 -yresolution 196 >"$demo/sample.tif"
fi
calls=()
[ "${1:-}" = "receive" ] && calls=(--faxterm-call --faxterm-send "$demo/sample.tif")

"$build/tools/linesim/linesim" --a class1 --b faxterm --link-a "$demo/ttyFAX" \
  --faxterm-receive "$demo/received.tif" --faxterm-id "+1 555 0199" "${calls[@]}" \
  >"$demo/linesim.out" 2>"$demo/linesim.log" &
line=$!
trap 'kill $line 2>/dev/null || true; wait $line 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  grep -q '^READY' "$demo/linesim.out" 2>/dev/null && break
  sleep 0.1
done
grep -q '^READY' "$demo/linesim.out" || { cat "$demo/linesim.log" >&2; exit 1; }
# COM1 is the line's end A (section Ports of the settings file).
ini="$demo/VL.INI"
if ! grep -qi '^\[Ports\]' "$ini" 2>/dev/null; then
  printf '[Ports]\r\nCOM1=%s\r\n' "$demo/ttyFAX" >>"$ini"
fi
"$cli" ports | grep '^COM1'

echo "Demo data folder: $demo (COM1 = $demo/ttyFAX, a fax modem on a software line)"
if [ "${1:-}" = "desktop" ]; then
  if [ ! -e "$demo/SEND/FAX00000.APF" ]; then
    mkdir -p "$demo/SEND"
    printf 'Hello from Vellora.\nThis page went over a software telephone line.\n' >"$demo/hello.txt"
    "$cli" convert "$demo/hello.txt" -o "$demo/SEND/FAX00000.APF" --fine >/dev/null
    # As the print-to-fax tool leaves a fax: number, recipient, subject.
    printf '5550199\nThe demo fax machine\nHello from Vellora\n' >"$demo/SEND/FAX00000.KQD"
  fi
  "$build/src/vellora/vellora"
  exit
fi
if [ $# -gt 0 ]; then
  "$cli" "$@"
  exit
fi
echo "\$ vellora-cli modem probe --port COM1"
"$cli" modem probe --port COM1
printf 'Hello from Vellora.\nThis page went over a software telephone line.\n' >"$demo/hello.txt"
"$cli" convert "$demo/hello.txt" -o "$demo/hello.APF" --fine >/dev/null
echo "\$ vellora-cli send --port COM1 --number 5550199 hello.APF"
"$cli" send --port COM1 --number 5550199 "$demo/hello.APF"
echo "The fax machine stored the page in $demo/received.tif."
echo "Try also: ./run.sh --demo receive --port COM1 --once"
