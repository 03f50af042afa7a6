#!/usr/bin/env bash
# Draws the program's icon (the logo's emblem) into data/icons/: PNG pictures
# of 48, 128 and 256 pixels and an SVG drawing. Run it by hand when the
# drawing changes and commit the output; the build only installs it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build --preset dev -j 2 --target tandrel-logo >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p data/icons
for size in 48 128 256; do
  build/dev/tools/tandrel-logo --icon "$size" "$work/icon.ppm"
  convert "$work/icon.ppm" -strip "data/icons/tandrel-$size.png"
done
build/dev/tools/tandrel-logo --svg 256 data/icons/tandrel.svg
echo "data/icons/: tandrel-48.png tandrel-128.png tandrel-256.png tandrel.svg"
