#!/usr/bin/env bash
# Builds the command-line host and runs the main job: the showcase pictures, written to
# glv-out/ (or the folder given as the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j 2 --target glv
build/default/glv demo --out "${1:-glv-out}"
