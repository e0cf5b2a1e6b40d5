#!/usr/bin/env bash
# The Debian package in a clean Debian 12: "cpack -G DEB" makes it; apt
# installs it into a fresh minimal root from the mirror, which fetches every
# declared dependency and nothing more; the programs run from the installed
# paths; an upgrade to a higher version installs cleanly; a purge leaves none
# of the package's files and all of a user's data, and takes the printer
# queue made for its backend with it. Needs root and the mirror; skipped
# (status 77) without them, unless VL_REQUIRE_DEB_TEST is set, as CI does.
set -euo pipefail
build=$1
version=$2
mirror=http://deb.debian.org/debian
suite=bookworm

skip() {
  [ -z "${VL_REQUIRE_DEB_TEST:-}" ] || { echo "FAILED: $1"; exit 1; }
  echo "SKIPPED: $1"
  exit 77
}
[ "$(id -u)" -eq 0 ] || skip "needs root (debootstrap and chroot)"
command -v debootstrap >/dev/null || skip "debootstrap is not installed"
wget -q -T 20 -t 1 -O /dev/null "$mirror/dists/$suite/Release" || skip "the mirror $mirror cannot be reached"

work=$(mktemp -d)
root=$work/root
# Nothing of the host may be mounted inside the root when it is removed, so
# only /proc is mounted, and the removal stays on the root's own file system.
cleanup() {
  mountpoint -q "$root/proc" && umount "$root/proc"
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

phase_name=""
phase_start=$SECONDS
phase() {
  [ -n "$phase_name" ] && printf '%5d s  %s\n' $((SECONDS - phase_start)) "$phase_name"
  phase_name=$1
  phase_start=$SECONDS
}
fail() { echo "FAILED: $1"; exit 1; }
# A step's output is shown only when it fails.
quiet() {
  local log=$work/step.log
  "$@" >"$log" 2>&1 || { tail -40 "$log"; fail "$*"; }
}
in_root() {
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}
as_user() {
  chroot --userspec="$user_id" "$root" env -i PATH=/usr/bin:/bin HOME=/home/faxuser \
    LANG=C.UTF-8 sh -c "cd && $1"
}
status_of() { in_root dpkg-query -W -f '${Status} ${Version}' vellora 2>/dev/null || true; }

phase "packages built (this version and a higher one)"
upgrade=$version.1
quiet cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake"
quiet cpack -G DEB -B "$work/deb-up" -R "$upgrade" --config "$build/CPackConfig.cmake"
arch=$(dpkg --print-architecture)
deb=vellora_${version}_$arch.deb
deb_up=vellora_${upgrade}_$arch.deb
test -f "$work/deb/$deb" || fail "no $deb; cpack made: $(ls "$work/deb")"
test -f "$work/deb-up/$deb_up" || fail "no $deb_up"
echo "$deb: $(stat -c %s "$work/deb/$deb") bytes"
dpkg-deb -f "$work/deb/$deb" Depends

phase "clean $suite root (debootstrap)"
quiet debootstrap --variant=minbase "$suite" "$root" "$mirror"
mount -t proc proc "$root/proc"
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
# Services the dependencies bring are not started inside the root.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
cp "$work/deb/$deb" "$work/deb-up/$deb_up" "$root/tmp/"

phase "tools for the checks installed in the root"
# Before the package, so that its triggers update their databases.
quiet in_root apt-get update
quiet in_root apt-get install -y --no-install-recommends desktop-file-utils xdg-utils shared-mime-info

phase "package installed with its dependencies"
# Without the recommended packages: what the package depends on must do.
quiet in_root apt-get install -y --no-install-recommends "/tmp/$deb"
[ "$(status_of)" = "install ok installed $version" ] || fail "after install: $(status_of)"

phase "installed programs run, desktop file, file type and icons checked"
said=$(in_root /usr/bin/vellora --version)
[[ "$said" == "vellora $version"* ]] || fail "vellora --version: $said"
quiet in_root /usr/bin/vellora-cli --help
quiet in_root /usr/bin/vellora-print --help
[ "$(stat -c '%a %U' "$root/usr/lib/cups/backend/vellora")" = "700 root" ] ||
  fail "CUPS backend: $(stat -c '%a %U' "$root/usr/lib/cups/backend/vellora")"
quiet in_root desktop-file-validate /usr/share/applications/vellora.desktop
default=$(in_root xdg-mime query default application/x-vellora-apf)
[ "$default" = vellora.desktop ] || fail "default application for .apf: '$default'"
grep -q 'application/x-vellora-apf' "$root/usr/share/mime/globs2" || fail "the MIME trigger did not run"
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
  test -f "$root/usr/share/icons/hicolor/$size/apps/vellora.png" || fail "no $size icon"
done

# A user's faxes and settings, made by the installed programs with what the
# package depends on: a text page; its PDF rendered back into a fax by
# Ghostscript; its TIFF printed to fax through Qt's TIFF plugin; a shipped
# cover template filled in with the fonts.
in_root useradd -m faxuser
user_id=$(in_root id -u faxuser):$(in_root id -g faxuser)
as_user 'printf "Quarterly figures\nPage one of one\n" >note.txt'
quiet as_user 'vellora-cli convert note.txt -o note.apf'
quiet as_user 'vellora-cli export note.apf --format pdf -o note.pdf'
quiet as_user 'vellora-cli convert note.pdf -o again.apf'
quiet as_user 'vellora-cli info again.apf'
quiet as_user 'vellora-cli export note.apf --format tiff -o note.tif'
quiet as_user 'vellora-print --number 5550101 note.tif'
quiet as_user 'vellora-cli cover render /usr/share/vellora/Covers/vl0001.fct -o cover.apf --to "A. Reader" --fax 5550101'
quiet as_user 'vellora-cli settings set Ports COM2 /dev/ttyUSB0'
user_data=(home/faxuser/note.apf home/faxuser/again.apf home/faxuser/cover.apf
           home/faxuser/.local/share/vellora/VL.INI home/faxuser/.local/share/vellora/SEND/FAX00000.APF)
for file in "${user_data[@]}"; do
  test -s "$root/$file" || fail "the user's /$file was not made"
done

# The printer queue "vellora-cli printer install" would add, stood in for by
# CUPS's two commands, which record what they are asked (CUPS itself is only
# recommended, so the root has none).
for tool in lpstat lpadmin; do
  printf '#!/bin/sh\necho "%s $*" >>/tmp/cups-calls\n' "$tool" >"$root/usr/bin/$tool"
  chmod 755 "$root/usr/bin/$tool"
done

phase "upgraded to $upgrade"
quiet in_root apt-get install -y --no-install-recommends "/tmp/$deb_up"
[ "$(status_of)" = "install ok installed $upgrade" ] || fail "after upgrade: $(status_of)"
quiet in_root /usr/bin/vellora-cli info /home/faxuser/note.apf
grep -q lpadmin "$root/tmp/cups-calls" 2>/dev/null && fail "the upgrade removed the printer queue"

phase "purged"
in_root dpkg -L vellora >"$work/files"
quiet in_root apt-get purge -y vellora
[ -z "$(status_of)" ] || [ "$(status_of)" = "unknown ok not-installed " ] || fail "after purge: $(status_of)"
grep -qx 'lpadmin -x Vellora_Fax' "$root/tmp/cups-calls" || fail "printer queue not removed: $(cat "$root/tmp/cups-calls")"
rm "$root/usr/bin/lpstat" "$root/usr/bin/lpadmin"
left=()
while read -r path; do
  [ "$path" = /. ] && continue
  if [ -d "$root$path" ] && [ ! -L "$root$path" ]; then
    # A folder stays when another package has files in it.
    in_root dpkg -S "$path" >/dev/null 2>&1 || left+=("$path/")
  elif [ -e "$root$path" ] || [ -L "$root$path" ]; then
    left+=("$path")
  fi
done <"$work/files"
[ ${#left[@]} -eq 0 ] || fail "left after purge: ${left[*]}"
echo "none of the package's $(grep -vc '^/\.$' "$work/files") files and folders left"
! grep -q 'application/x-vellora-apf' "$root/usr/share/mime/globs2" || fail "the .apf type outlived the package"
for file in "${user_data[@]}"; do
  test -s "$root/$file" || fail "the purge took the user's /$file"
done

phase ""
printf '%5d s  whole test\n' "$SECONDS"
echo "installed, upgraded and purged in a clean $suite root"
