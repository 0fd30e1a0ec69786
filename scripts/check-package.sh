#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and builds the minimal host against it twice:
# with CMake's find_package(glidelistview) and with pkg-config. Each host runs and must write
# its PNG, so a header left out of the install, a wrong path in the package files or a missing
# dependency fails here.
#
#     scripts/check-package.sh [BUILD_DIR]     (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
echo "installed into a temporary prefix: $(find "$work/prefix/include" -name '*.h' | wc -l) headers"

echo "-- find_package(glidelistview)"
cmake -S examples/minimal -B "$work/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
"$work/cmake/minimal" "$work/cmake.png"

echo "-- pkg-config glidelistview"
libdir=$(find "$work/prefix" -name glidelistview.pc -printf '%h\n' | head -1)
flags=$(PKG_CONFIG_PATH="$libdir" pkg-config --cflags --libs glidelistview)
# shellcheck disable=SC2086  # the flags are a list of words
${CXX:-c++} -std=c++20 -O1 examples/minimal/main.cpp $flags -o "$work/minimal-pc"
"$work/minimal-pc" "$work/pkg-config.png"

cmp -s "$work/cmake.png" "$work/pkg-config.png" || { echo "the two hosts drew different pictures"; exit 1; }
echo "package check passed"
