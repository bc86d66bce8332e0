#!/usr/bin/env bash
# The program under a Wayland compositor (weston, headless) with no X server
# at all: it starts, shows its main window and builds the others (read
# through the accessibility bus), its volume works, "Start" plays the selected
# word (on SDL's disk driver), and a second start finds the first through the
# single-instance marker.
#   wayland.sh VELMORA VELMORA_CONTENT
set -euo pipefail
program=$(realpath "$1")
tool=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  # Children first: the accessibility bus launcher's own bus would outlive it.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pkill -9 -P "${pids[i]}" 2>/dev/null || true
    kill -9 "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

unset DISPLAY
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache HOME=$work/home
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$HOME"
export LSAN_OPTIONS=suppressions=$here/lsan.supp:print_suppressions=0
export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=velmora-test
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/out.raw QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

QT_QPA_PLATFORM=offscreen "$tool" make-demo "$work/demo" >/dev/null

weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$work/weston.log" 2>&1 &
pids+=($!)
deadline=$((SECONDS + 10))
until [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "weston did not start: $(cat "$work/weston.log")"
  sleep 0.05
done

# The accessibility bus the windows are read through; the program's
# environment and the reader's share it.
read -r DBUS_SESSION_BUS_ADDRESS bus < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd ' ')
export DBUS_SESSION_BUS_ADDRESS
pids+=("$bus")
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)

(cd "$work/demo" && exec "$program") >"$work/first.log" 2>&1 &
first=$!
pids+=("$first")

echo "== the windows, read through the accessibility bus; Start plays the word"
deadline=$((SECONDS + 10))
until [ -s "$SDL_DISKAUDIOFILE" ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "no audio output: $(cat "$work/first.log")"
  sleep 0.05
done
/usr/bin/python3 "$here/wayland_windows.py" 30 || fail "windows: $(cat "$work/first.log")"
before=$(stat -c %s "$SDL_DISKAUDIOFILE")
sleep 3
segments=$(/usr/bin/python3 "$here/sound_segments.py" "$SDL_DISKAUDIOFILE" 48000 "$before")
[ -n "$segments" ] || fail "no word was heard after Start"
kill -0 "$first" || fail "the program ended: $(cat "$work/first.log")"

echo "== a second start finds the first and ends at once"
(cd "$work/demo" && exec "$program") >"$work/second.log" 2>&1 &
second=$!
pids+=("$second")
deadline=$((SECONDS + 10))
while kill -0 "$second" 2>/dev/null; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the second start is still running"
  sleep 0.05
done
wait "$second" || fail "the second start ended with $?: $(cat "$work/second.log")"
kill -0 "$first" || fail "the first instance ended"
if [ -s "$work/second.log" ]; then fail "the second start said: $(cat "$work/second.log")"; fi
echo "passed"
