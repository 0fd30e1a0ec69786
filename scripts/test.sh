#!/usr/bin/env bash
# Builds and runs every test, in the optimised build and under the sanitizers (the random
# operation tester among them, for a fixed number of steps, and each fuzz target over its corpus
# and a fixed number of seeded edits of it); then builds the library and glv as a Release build,
# which must compile without a warning too, and checks the installed package.
# GLV_TEST_FUZZ=1 also builds the fuzz preset (clang) and runs each fuzz target over its corpus;
# scripts/fuzz-long.sh is the long pass.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
presets=(default asan)
if [ "${GLV_TEST_FUZZ:-0}" = 1 ]; then presets+=(fuzz); fi
for preset in "${presets[@]}"; do
    echo "== $preset"
    start=$SECONDS
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j 2
    ctest --preset "$preset"
    echo "== $preset: $((SECONDS - start)) s"
done
echo "== release"
cmake --preset release >/dev/null
cmake --build --preset release -j 2
echo "== package"
scripts/check-package.sh build/release
