#!/usr/bin/env bash
# Runs clang-tidy (the checks in .clang-tidy) over every source of a build's
# compile_commands.json; any finding fails. Not part of scripts/test.sh.
# Usage: scripts/lint.sh [BUILD_DIR]   (default build/release, configured first)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
[[ -f $build/compile_commands.json ]] || cmake --preset release >/dev/null
# -Wno-error: the release preset compiles with -Werror, which would turn
# clang's own warnings into findings; the lint is the checks in .clang-tidy,
# the same whichever build it reads.
run-clang-tidy -quiet -p "$build" -extra-arg=-Wno-error -j "${CMAKE_BUILD_PARALLEL_LEVEL:-2}" "$PWD/"'(core|graphics|content|sound|platform|toolkit|app|tools|tests|fuzz|bench|demo)/'
