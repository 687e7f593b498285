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
# The Windows icon (the executable, its shortcuts and the installer) holds the same sizes in one
# .ico file (needs imagemagick).
convert $(for size in 16 24 32 48 64 128 256; do echo "${size}x${size}/apps/$id.png"; done) \
  ../../windows/quorlent.ico
