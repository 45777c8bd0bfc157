#!/bin/sh
# Renders the application icon's PNG sizes from vantor.svg (needs rsvg-convert from librsvg2-bin).
# Run once from this folder; the PNGs are committed, so the build needs no renderer.
set -eu
for size in 16 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --output "vantor-$size.png" vantor.svg
done
