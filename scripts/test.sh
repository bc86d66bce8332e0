#!/usr/bin/env bash
# Builds and runs every test: the core alone (no Qt, SDL2 or libjpeg, so
# the core cannot lean on them), an optimised build, and a build under
# AddressSanitizer and UndefinedBehaviorSanitizer, and under ThreadSanitizer
# the sound tests (the audio callback and the GUI thread share the player)
# the pictures decoded on first use (any thread may be the first) and the
# parallel picture load.
# Fails on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

for preset in core release asan tsan; do
  echo "== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset: tests"
  ctest --preset "$preset"
done
