#!/usr/bin/env bash
# Builds Velmora, makes the demo content when it is missing and starts the
# program on it, in the content's own directory. Without a display it says
# so, runs the program under Xvfb for a few seconds and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release --target velmora velmora-content
demo=build/release/demo
if [ ! -f "$demo/menl.dat" ]; then
  cmake --build --preset release --target demo
fi
program=$PWD/build/release/app/velmora

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  cd "$demo" && exec "$program"
fi

echo "No display (neither DISPLAY nor WAYLAND_DISPLAY): running under Xvfb and saving a screenshot."
shot=$PWD/build/release/velmora-screenshot.png
(
  cd "$demo"
  # Without a sound card SDL would find no device; the dummy driver keeps
  # the volume control working.
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
    "$1" & pid=$!
    sleep 4
    import -window root "$2"
    kill "$pid"; wait "$pid" 2>/dev/null || true' _ "$program" "$shot"
)
echo "Screenshot: $shot"
