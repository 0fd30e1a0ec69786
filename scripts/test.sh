#!/usr/bin/env bash
# Builds and runs every test, in the optimised build and under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
for preset in default asan; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j 2
    ctest --preset "$preset"
done
