#!/usr/bin/env bash
# Vellora without a modem: a demo data folder whose COM1 is end A (a Class 1
# fax modem) of a software telephone line whose end B is a fax machine. The
# fax machine keeps what it receives in demo/received.tif and sends
# demo/sample.tif when called with --faxterm-call; see `linesim --help`.
# Usage: scripts/demo.sh BUILD_DIR [vellora-cli arguments]
set -euo pipefail
build=$1
shift
demo="$build/demo"
mkdir -p "$demo"
demo=$(cd "$demo" && pwd)
export VELLORA_HOME="$demo"
cli="$build/src/cli/vellora-cli"

"$build/tools/linesim/linesim" --a class1 --b faxterm --link-a "$demo/ttyFAX" \
  --faxterm-receive "$demo/received.tif" --faxterm-id "+1 555 0199" \
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
if [ $# -eq 0 ]; then
  echo "\$ vellora-cli modem probe --port COM1"
  "$cli" modem probe --port COM1
  echo "\$ vellora-cli modem command --port COM1 +FCLASS=?"
  "$cli" modem command --port COM1 "+FCLASS=?"
else
  "$cli" "$@"
fi
