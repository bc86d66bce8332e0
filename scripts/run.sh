#!/usr/bin/env bash
# Builds Velmora, makes the demo content and shows it as the program loads it.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release --target velmora-content demo
./build/release/tools/velmora-content dump build/release/demo
./build/release/tools/velmora-content check build/release/demo || true
