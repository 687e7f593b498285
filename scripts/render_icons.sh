#!/usr/bin/env bash
# Renders the PNG sizes of the icon theme from the drawn SVG (needs librsvg2-bin). The PNGs are
# committed, so that neither the build nor the package needs an SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/../data/icons/hicolor"
id=io.github.quorlent.Quorlent
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "scalable/apps/$id.svg" -o "${size}x${size}/apps/$id.png"
done
