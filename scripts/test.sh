#!/usr/bin/env bash
# Builds Tandrel with its tests and runs them all. Usage: scripts/test.sh [dev|asan|tsan]
# (tsan builds and runs only the engine, output, run and golden tests)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset"
