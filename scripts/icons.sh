#!/usr/bin/env bash
# Renders the program's picture dist/tracklore.svg into the PNG icons of the hicolor theme,
# dist/icons/NxN/tracklore.png (committed, so a build needs no SVG renderer). Run it again
# after changing the SVG. Needs rsvg-convert (Debian's librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v rsvg-convert >/dev/null ||
    { echo "missing rsvg-convert: apt install librsvg2-bin" >&2; exit 1; }
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "dist/icons/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" -o "dist/icons/${size}x${size}/tracklore.png" \
        dist/tracklore.svg
done
echo "wrote dist/icons/*/tracklore.png"
