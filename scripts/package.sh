#!/usr/bin/env bash
# Builds the Debian package from a clean tree: the committed sources of HEAD
# are exported to build/package/source, built there in Release with the
# distribution's hardening flags, and packed by CPack. The package lands in
# build/package/ as tandrel_VERSION_ARCH.deb.
# Usage: scripts/package.sh   (TANDREL_WEB_ADDRESS=https://.../ names the
# project's web address in the metainfo and the package)
set -euo pipefail
cd "$(dirname "$0")/.."
out="$PWD/build/package"
src="$out/source"
bin="$out/build"
rm -rf "$src" "$bin"
mkdir -p "$src" "$bin"
commit="$(git rev-parse --short HEAD)"
git archive --format=tar "$commit" | tar -x -C "$src"
# The package's dates (metainfo release, changelog) are those of the commit.
export SOURCE_DATE_EPOCH="$(git log -1 --format=%ct "$commit")"

flags=()
# Every hardening feature Debian knows, bindnow included.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
if command -v dpkg-buildflags >/dev/null 2>&1; then
  flags=(-DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
         -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)")
fi
cmake -S "$src" -B "$bin" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTANDREL_BUILD_TESTS=OFF -DTANDREL_BUILD_BENCH=OFF \
  -DTANDREL_WEB_ADDRESS="${TANDREL_WEB_ADDRESS:-}" "${flags[@]}" >/dev/null
cmake --build "$bin" -j "$(nproc)"
(cd "$bin" && cpack -G DEB >/dev/null)
rm -f "$out"/tandrel_*.deb
mv "$bin"/tandrel_*.deb "$out"/
deb="$(ls "$out"/tandrel_*.deb)"
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB), from commit $commit"
dpkg-deb --field "$deb" Depends
