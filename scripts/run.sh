#!/usr/bin/env bash
# Builds Velmora and shows the bundled sample content as the program loads it.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release
./build/release/tools/velmora-content dump demo/sample
