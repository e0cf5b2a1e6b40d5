#!/usr/bin/env bash
# Renders share/vellora.svg at the icon theme's sizes into the committed PNGs:
# share/icons/NxN/vellora.png, and share/vellora.png (64x64), which is also
# the window icon built into the program. Run after changing the svg; needs
# rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../share"
for size in 16 22 24 32 48 128 256; do
  mkdir -p "icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" vellora.svg -o "icons/${size}x${size}/vellora.png"
done
rsvg-convert -w 64 -h 64 vellora.svg -o vellora.png
