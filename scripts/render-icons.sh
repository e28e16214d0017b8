#!/usr/bin/env bash
# Renders the program's icon, packaging/icons/zorvane.svg, to the PNG sizes the package installs
# (packaging/icons/SIZE.png). The PNGs are committed, so building and packaging need no SVG
# renderer; run this after changing the SVG. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" zorvane.svg --output "$size.png"
done
