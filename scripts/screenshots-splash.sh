#!/usr/bin/env bash
# Saves the splash screen and the about box, as the widget tests show them on
# the sample installation, into docs/screenshots/. Usage:
#   scripts/screenshots-splash.sh [build-folder]   (default: build/dev)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/dev}"
cmake --build "$build" --target tandrel_tests_desktop >/dev/null
out="$PWD/docs/screenshots"
mkdir -p "$out"
TANDREL_SCREENSHOT_DIR="$out" QT_QPA_PLATFORM=offscreen LC_ALL=C \
  "$build/tests/tandrel_tests_desktop" \
  --gtest_filter='SplashAboutHelp.TheSplashScreenShowsUntilTheOtherWindowsExist:SplashAboutHelp.TheAboutBoxShowsTheVersionAndTheDataSet' \
  >/dev/null
echo "docs/screenshots/splash-screen.png docs/screenshots/about-box.png"
