#!/usr/bin/env bash
# Draws the program's icon from one of its own patterns: wavory-render draws
# packaging/icons/icon-pattern.txt, the picture is embedded in a rounded square
# (packaging/icons/org.wavory.Wavory.svg), and the hicolor PNG sizes are rasterised from
# that SVG with rsvg-convert (Debian package librsvg2-bin). Run after changing the pattern
# or the frame; the results are kept in the repository, so building needs none of this.
#   tools/make-icons.sh [path/to/wavory-render]
set -euo pipefail
cd "$(dirname "$0")/.."
render=${1:-build/cli/wavory-render}
icons=packaging/icons
name=org.wavory.Wavory
command -v rsvg-convert >/dev/null || { echo "needs rsvg-convert (apt-get install librsvg2-bin)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A fixed seed keeps the picture the same from run to run (the pattern has no bleed).
"$render" "$icons/icon-pattern.txt" -o "$work/pattern.png" --png-mode 0 --seed 1

{
  cat <<SVG
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="256" height="256" viewBox="0 0 256 256">
  <title>Wavory</title>
  <defs>
    <clipPath id="tile"><rect x="16" y="16" width="224" height="224" rx="40"/></clipPath>
    <linearGradient id="light" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff" stop-opacity="0.45"/>
      <stop offset="0.45" stop-color="#ffffff" stop-opacity="0"/>
      <stop offset="1" stop-color="#000000" stop-opacity="0.18"/>
    </linearGradient>
  </defs>
  <g clip-path="url(#tile)">
    <image x="16" y="16" width="224" height="224" preserveAspectRatio="none"
           xlink:href="data:image/png;base64,$(base64 -w0 "$work/pattern.png")"/>
    <rect x="16" y="16" width="224" height="224" fill="url(#light)"/>
  </g>
  <rect x="17.5" y="17.5" width="221" height="221" rx="38.5" fill="none"
        stroke="#1a1a1a" stroke-opacity="0.55" stroke-width="3"/>
</svg>
SVG
} > "$icons/$name.svg"

for size in 16 24 32 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" "$icons/$name.svg" -o "$icons/${size}x${size}/$name.png"
done
echo "icons written to $icons"
