#!/usr/bin/env bash
# cmake --install into a fresh prefix: the programs, their manual pages, the
# help pages, cover templates and icons arrive; the desktop file is valid;
# ".apf" files have their type, by name and by content, and Vellora opens them.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/vellora bin/vellora-cli bin/vellora-print; do
  test -x "$prefix/$file" || { echo "missing $file"; exit 1; }
done
for file in share/man/man1/vellora.1 share/man/man1/vellora-cli.1 share/man/man1/vellora-print.1 \
            share/vellora/help/1009.html share/vellora/Covers/vl0001.fct \
            share/icons/hicolor/scalable/apps/vellora.svg share/mime/packages/vellora.xml; do
  test -f "$prefix/$file" || { echo "missing $file"; exit 1; }
done
"$prefix/bin/vellora-cli" --help >/dev/null

# The icon at every size of the theme, each really that size: the width and
# height of a PNG's header.
for size in 16 22 24 32 48 64 128 256; do
  icon="share/icons/hicolor/${size}x${size}/apps/vellora.png"
  test -f "$prefix/$icon" || { echo "missing $icon"; exit 1; }
  read -r width height < <(python3 -c 'import struct, sys
head = open(sys.argv[1], "rb").read(24)
assert head[:8] == b"\x89PNG\r\n\x1a\n" and head[12:16] == b"IHDR", "not a PNG"
print(*struct.unpack(">II", head[16:24]))' "$prefix/$icon")
  [ "$width $height" = "$size $size" ] || { echo "$icon is ${width}x$height"; exit 1; }
done

# The print system runs a backend only its owner may run as root; the
# programs find nothing of the build tree at run time.
mode=$(stat -c %a "$prefix/lib/cups/backend/vellora")
[ "$mode" = 700 ] || { echo "CUPS backend mode $mode, not 700"; exit 1; }
for file in bin/vellora bin/vellora-cli bin/vellora-print lib/cups/backend/vellora; do
  if readelf -d "$prefix/$file" | grep -E 'R(UN)?PATH'; then echo "$file has a run path"; exit 1; fi
done

desktop-file-validate "$prefix/share/applications/vellora.desktop"
update-mime-database "$prefix/share/mime"
grep -q '^50:application/x-vellora-apf:\*\.apf$' "$prefix/share/mime/globs2" || { echo "no glob for .apf"; exit 1; }
grep -aq 'application/x-vellora-apf' "$prefix/share/mime/magic" || { echo "no magic for APF"; exit 1; }

update-desktop-database "$prefix/share/applications"
default=$(env -i PATH="$PATH" HOME="$prefix/home" XDG_DATA_DIRS="$prefix/share" \
              XDG_DATA_HOME="$prefix/home/data" XDG_CONFIG_HOME="$prefix/home/config" \
              xdg-mime query default application/x-vellora-apf)
[ "$default" = vellora.desktop ] || { echo "default application: '$default'"; exit 1; }
echo "installed, validated, and vellora.desktop opens application/x-vellora-apf"
