#!/usr/bin/env bash
# Writes docs/reference.md from the code (`glv doc`): run it after changing the property table,
# a dispatch table or the event table; the reference_up_to_date test fails until then.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target glv >/dev/null
mkdir -p docs
build/default/glv doc > docs/reference.md
echo "wrote docs/reference.md"
