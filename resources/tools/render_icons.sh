#!/usr/bin/env bash
# Renders the program icon resources/quillora.svg into the PNG sizes of the hicolor theme under resources/icons/.
# Needs rsvg-convert (Debian package librsvg2-bin); run it again after changing the SVG and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "icons/hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" quillora.svg -o "icons/hicolor/${size}x${size}/apps/org.corvanta.Quillora.png"
done
