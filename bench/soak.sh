#!/usr/bin/env bash
# The soak on the release build: 10,000 repetitions at pause 0 of a short
# clip, then 1,000 group changes, in the main window over SDL's dummy audio
# device on Qt's offscreen platform. Prints resident memory and open file
# descriptors before and after each part; fails when memory grows by 2 MiB
# or more or a descriptor stays open.
#   bench/soak.sh [REPETITIONS [GROUP_CHANGES]]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build build/release --target soak_bench
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
exec build/release/bench/soak_bench "$@"
