#!/usr/bin/env bash
# Builds and runs every test, in the optimised build and under the sanitizers; then builds the
# library and glv as a Release build, which must compile without a warning too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
for preset in default asan; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j 2
    ctest --preset "$preset"
done
echo "== release"
cmake --preset release >/dev/null
cmake --build --preset release -j 2
echo "== package"
scripts/check-package.sh build/release
