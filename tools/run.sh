#!/usr/bin/env bash
# Builds Wavory and starts it with a sample drawing. Without a display (no X11 or
# Wayland session) it renders the same drawing with the command-line renderer instead.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/wavory samples/rainbow.txt
fi
echo "no display: rendering samples/rainbow.txt to rainbow.bmp instead"
build/cli/wavory-render samples/rainbow.txt -o rainbow.bmp
