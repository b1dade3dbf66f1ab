#!/usr/bin/env bash
# Builds the program and the command-line renderer (not the tests) and starts the program
# with a sample drawing. Without a display (no X11 or Wayland session) it renders the same
# drawing with the command-line renderer into build/rainbow.bmp instead.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" --target wavory wavory-render
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/wavory samples/rainbow.txt
fi
out="$(pwd)/build/rainbow.bmp"
echo "no display: rendering samples/rainbow.txt with build/cli/wavory-render"
build/cli/wavory-render samples/rainbow.txt -o "$out"
echo "written: $out"
