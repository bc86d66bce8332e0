#!/usr/bin/env bash
# The program makes fontconfig's configuration on one thread at a time: the
# preloaded watch (FontConfigInitWatch.cpp) holds every FcInit for a while
# and says so when another thread enters meanwhile. Run under xvfb-run.
#   fontconfig_once.sh VELMORA VELMORA_CONTENT WATCH_LIBRARY
set -euo pipefail
program=$(realpath "$1")
watch=$(realpath "$3")
work=$(mktemp -d)
trap 'kill -9 "$started" 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache HOME=$work/home
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$HOME"
export SDL_AUDIODRIVER=dummy
"$2" make-demo "$work/demo" >/dev/null
caption="Velmora w zakresie wybranych przykładów wymowy dzieci przedszkolnych \\(Demo\\)"

(cd "$work/demo" && LD_PRELOAD=$watch exec "$program") >"$work/log" 2>&1 &
started=$!
main=
for _ in $(seq 300); do
  main=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null || true)
  [ -z "$main" ] || break
  sleep 0.05
done
[ -n "$main" ] || { echo "FAIL: no main window: $(cat "$work/log")" >&2; exit 1; }
if grep -q 'fcinit-watch' "$work/log"; then
  echo "FAIL: $(cat "$work/log")" >&2
  exit 1
fi
