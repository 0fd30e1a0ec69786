#!/usr/bin/env bash
# Takes the README's picture of the viewer: `glv view` on the sample orders in a real X window
# under Xvfb, grabbed from the X server by ImageMagick.
#   scripts/screenshot.sh [OUT.png]     (default apps/viewer/screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh screenshot
cmake --preset default >/dev/null
cmake --build --preset default -j 2 --target glv
out=${1:-apps/viewer/screenshot.png}

# The screen is the window's size: with no window manager the window is centred, so it fills it.
display=:${GLV_SCREENSHOT_DISPLAY:-77}
Xvfb "$display" -screen 0 960x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
viewer=""
cleanup() {
    [ -n "$viewer" ] && kill "$viewer" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do
    DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break || sleep 0.1
done

DISPLAY=$display SDL_VIDEODRIVER=x11 build/default/glv view apps/showcase/orders.csv &
viewer=$!
sleep 3
DISPLAY=$display import -window root "$out"
echo "wrote $out"
