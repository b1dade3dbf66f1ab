#!/usr/bin/env bash
# Builds Wavory and renders a sample drawing with the command-line renderer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
build/cli/wavory-render samples/rainbow.txt -o rainbow.bmp
echo "wrote rainbow.bmp"
