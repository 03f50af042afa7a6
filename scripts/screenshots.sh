#!/usr/bin/env bash
# Pictures of the desktop program, written to docs/screenshots/: the splash
# screen, the three main pages, a variable page, a subset dialog, the about
# box and the error dialog on the sample installation; the progress window
# and the trace window, the end-of-run message and the main window with its
# status line after a real run on a generated installation. The
# installations lie in a fixed folder (/tmp/tandrel, or $TANDREL_TOUR_HOME),
# so the pictures show the same paths on every machine. Runs under Xvfb with
# the desktop's default font, so it needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
home="${TANDREL_TOUR_HOME:-/tmp/tandrel}"
cmake --preset dev >/dev/null
cmake --build --preset dev -j 2 --target tandrel tandrel-screenshot-tour tandrel-kivgen >/dev/null
mkdir -p docs/screenshots
rm -rf "$home"
mkdir -p "$home/sample" "$home/output"
trap 'rm -rf "$home"' EXIT
cp -r data/sample/. "$home/sample"
# A thousand groups over 226 years: a run long enough to show its progress.
build/dev/tools/tandrel-kivgen bench --out "$home/generated" --groups 1000 --years 1800:2025 \
  --vars 60 >/dev/null
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb LC_ALL=C \
  build/dev/tests/tandrel-screenshot-tour "$home/sample" "$home/generated" \
  "$home/output/groups.csv" docs/screenshots
