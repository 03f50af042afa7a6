#!/usr/bin/env bash
# Pictures of the desktop program on the sample installation, written to
# docs/screenshots/: the three main pages, a variable page, a subset dialog,
# the progress window during a run, the trace window and the error dialog.
# Runs under Xvfb with the desktop's default font, so it needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build --preset dev -j 2 --target tandrel tandrel-screenshot-tour >/dev/null
mkdir -p docs/screenshots
sample="$(mktemp -d)"
trap 'rm -rf "$sample"' EXIT
cp -r data/sample/. "$sample"
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
  build/dev/tests/tandrel-screenshot-tour "$sample" docs/screenshots
# The splash screen and the about box, as the widget tests grab them.
scripts/screenshots-splash.sh >/dev/null
