#!/usr/bin/env bash
# Renders the program's icon (dorvanta.svg) into the PNG sizes of the hicolor
# theme. The outputs are committed, so packaging does not need the renderer:
# run this (it needs librsvg2-bin) only after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")"
for size in 48 128 256; do
    mkdir -p "$size"
    rsvg-convert --width "$size" --height "$size" dorvanta.svg --output "$size/dorvanta.png"
done
