#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when one is missing.
#   scripts/setup-deps.sh              what the build and the tests need
#   scripts/setup-deps.sh screenshot   also the X server and the grabber of scripts/screenshot.sh
set -euo pipefail
pkgs=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev libfreetype-dev
      libfontconfig-dev libpng-dev nlohmann-json3-dev fonts-dejavu-core
      libsdl2-dev libcsv-dev
      clang libclang-rt-14-dev)  # clang and its libFuzzer runtime: the fuzz preset
if [ "${1:-}" = screenshot ]; then
    pkgs+=(xvfb x11-utils imagemagick)
fi
missing=()
pkgs+=(qt6-base-dev)  # adapters/qt and its tests
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "${missing[@]}"
fi
