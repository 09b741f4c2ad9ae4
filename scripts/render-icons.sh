#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG, into the hicolor
# tree under data/icons that the install rules and the window's resource
# file use. Run it after changing the SVG and commit the PNGs with it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/setup.sh" librsvg2-bin

id="org.korvane.Korvane"
icons="$here/data/icons/hicolor"
svg="$icons/scalable/apps/$id.svg"
for size in 16 24 32 48 64 128 256; do
    mkdir -p "$icons/${size}x${size}/apps"
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "$icons/${size}x${size}/apps/$id.png" "$svg"
    echo "render-icons: $icons/${size}x${size}/apps/$id.png"
done
