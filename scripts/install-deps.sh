#!/usr/bin/env bash
# Installs every package Tandrel needs to build and test, from Debian's archive.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev googletest
  libjpeg62-turbo-dev
  clang-format
  clang libclang-rt-14-dev
  pspp
  libreadstat-dev r-base-core r-cran-haven r-cran-readr python3-pandas
  # The side-by-side benchmark against R data.table (bench/compare-datatable.sh).
  r-cran-data.table
  poppler-utils
  time
  # The desktop program and its widget tests; Xvfb, xauth and ImageMagick's
  # import take the screenshots, DejaVu is the desktop's default font.
  qt6-base-dev qt6-qpa-plugins libgl-dev
  xvfb xauth imagemagick fonts-dejavu-core
  # The Debian package and its test: a fresh Debian 12 root, and the checks
  # of the package, its menu entry, metainfo and manual pages.
  dpkg-dev debootstrap lintian desktop-file-utils appstream man-db
)

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "install-deps: run as root or install sudo" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${packages[@]}"
