#!/usr/bin/env bash
# Renders the studio's icon (desktop/icons/pondaro.svg) into the PNG sizes that desktops
# without an SVG loader use. Run it again when the SVG changes (needs rsvg-convert,
# Debian's librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../desktop/icons"
for size in 16 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" pondaro.svg -o "pondaro-$size.png"
done
