#!/usr/bin/env bash
# Runs the program as a user does, on an X display (the caller provides one,
# e.g. through xvfb-run): one instance per user, a second start that only
# raises the first, a start after the first was killed, the failure box on
# unreadable content (exit status 1), a second start while the first is still
# loading, and the word reaching SDL's disk driver after a real click on its
# marker, then again and again with "Start".
#   startup_and_sound.sh VELMORA VELMORA_CONTENT
set -euo pipefail
program=$(realpath "$1")
tool=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A runtime folder of its own, so the single-instance marker is the test's.
export XDG_RUNTIME_DIR=$work/runtime
# and a configuration and a cache of its own (the remembered volume, the
# record of picture checks).
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
mkdir -m 700 "$XDG_RUNTIME_DIR"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/out.raw
export LSAN_OPTIONS=suppressions=$here/lsan.supp:print_suppressions=0
caption="Velmora w zakresie wybranych przykładów wymowy dzieci przedszkolnych \\(Demo\\)"
rate=48000
frame_bytes=4

fail() { echo "FAIL: $*" >&2; exit 1; }

# Windows whose title matches the whole of the pattern $1, waiting up to $2 seconds for one.
find_windows() {
  local deadline=$((SECONDS + $2))
  while :; do
    local found
    found=$(xdotool search --name "^$1\$" 2>/dev/null || true)
    if [ -n "$found" ] || [ "$SECONDS" -ge "$deadline" ]; then echo "$found"; return; fi
    sleep 0.1
  done
}

# Waits up to $2 seconds for process $1 to end; its status goes to $status
# ("timeout" when it is still running).
wait_exit() {
  local deadline=$((SECONDS + $2))
  while kill -0 "$1" 2>/dev/null; do
    if [ "$SECONDS" -ge "$deadline" ]; then status=timeout; return; fi
    sleep 0.1
  done
  status=0
  wait "$1" || status=$?
}

# Starts the program in DIR, with ARGS, with its output in LOG; its pid goes
# to $started.
start_program() {  # DIR LOG [ARGS...]
  local dir=$1 log=$2
  shift 2
  (cd "$dir" && exec "$program" "$@") >"$log" 2>&1 &
  started=$!
  pids+=("$started")
}

"$tool" make-demo "$work/demo" >/dev/null
mkdir "$work/empty"

echo "== first start shows the main window"
start_program "$work/demo" "$work/first.log"; first=$started
main=$(find_windows "$caption" 20)
[ -n "$main" ] || fail "no main window: $(cat "$work/first.log")"

echo "== a second start raises the first and ends at once, reading nothing"
start_program "$work/empty" "$work/second.log"; second=$started
wait_exit "$second" 10
[ "$status" = 0 ] || fail "second start ended with $status"
[ -z "$(find_windows "Błąd" 1)" ] || fail "the second start showed a box"
if [ -s "$work/second.log" ]; then fail "the second start said: $(cat "$work/second.log")"; fi
kill -0 "$first" || fail "the first instance ended"

echo "== a click on the centre of the marker as painted plays the word"
eval "$(xdotool getwindowgeometry --shell "$main")"
# The first item's marker is found by its pixels on the screen, not by where
# the program means to draw it, so a marker drawn off its click zone fails.
box=""
deadline=$((SECONDS + 10))
while [ -z "$box" ] && [ "$SECONDS" -lt "$deadline" ]; do
  sleep 0.5
  import -window "$main" -depth 8 "$work/main.ppm"
  box=$(/usr/bin/python3 "$here/marker_box.py" "$work/main.ppm")
done
[ -n "$box" ] || fail "no sound marker on the screen"
read -r left top right bottom <<<"$box"
echo "marker painted at $left,$top .. $right,$bottom"
before=$(stat -c %s "$SDL_DISKAUDIOFILE")
xdotool mousemove $((X + (left + right) / 2)) $((Y + (top + bottom) / 2)) click 1
sleep 2.5
segments=$(/usr/bin/python3 "$here/sound_segments.py" "$SDL_DISKAUDIOFILE" "$rate" "$before")
echo "$segments"
[ "$(echo "$segments" | grep -c .)" = 1 ] || fail "expected one sounding stretch after the click"

echo "== Start repeats it after the pause"
before=$(stat -c %s "$SDL_DISKAUDIOFILE")
xdotool mousemove $((X + 8 + 7 + 3 + 30)) $((Y + 1000 - 90 + 47 + 6 + 9)) click 1
sleep 5
segments=$(/usr/bin/python3 "$here/sound_segments.py" "$SDL_DISKAUDIOFILE" "$rate" "$before")
echo "$segments"
count=$(echo "$segments" | grep -c .)
[ "$count" -ge 2 ] || fail "the word did not come again"
# The cycle restarts the word 0.5 s after its clip ended (seen at the next
# 50 ms tick), so starts lie the clip's length + 0.55 s (+ one tick) apart.
"$tool" unscramble "$(find "$work/demo/Data/sou" -iname kot.cw)" "$work/kot.wav" >/dev/null
length=$(/usr/bin/python3 -c 'import sys, wave; w = wave.open(sys.argv[1]); print(w.getnframes() / w.getframerate())' "$work/kot.wav")
echo "$segments" | /usr/bin/python3 -c '
import sys
length = float(sys.argv[1])
starts = [float(l.split()[0]) for l in sys.stdin if l.strip()]
periods = [b - a for a, b in zip(starts, starts[1:])]
print("clip", length, "s; periods", periods)
sys.exit(0 if all(length + 0.5 <= p <= length + 0.8 for p in periods) else 1)' "$length" || fail "pauses out of range"

echo "== a start after the first was killed with SIGKILL runs"
kill -9 "$first"
wait "$first" 2>/dev/null || true
start_program "$work/demo" "$work/third.log"; third=$started
[ -n "$(find_windows "$caption" 20)" ] || fail "no main window after SIGKILL of the first: $(cat "$work/third.log")"
kill -9 "$third"
wait "$third" 2>/dev/null || true

echo "== a second start while the first is still loading raises the first's splash"
# Starts the program and freezes it right after it took the single-instance
# lock, before its main window exists: frozen, it cannot answer, and the
# second start must wait for it rather than report it stuck. The demo loads
# in a few tens of milliseconds, so a start that got its window before it
# could be frozen is ended and another one tried. /proc/locks shows the lock
# without taking it.
start_frozen_while_loading() {
  local attempt deadline
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    start_program "$work/demo" "$work/loading.log"; loading=$started
    deadline=$((SECONDS + 20))
    until grep -q "FLOCK .* $loading " /proc/locks; do
      [ "$SECONDS" -lt "$deadline" ] || fail "the first start took no lock: $(cat "$work/loading.log")"
      sleep 0.002
    done
    for _ in 1 2 3 4 5; do [ -S "$XDG_RUNTIME_DIR/Velmora_1.0_Demo_Mutex.socket" ] && break; sleep 0.01; done
    kill -STOP "$loading"
    [ -z "$(find_windows "$caption" 0)" ] && return
    echo "(start $attempt had its main window before it was frozen: another one)"
    kill -9 "$loading"
    wait "$loading" 2>/dev/null || true
    deadline=$((SECONDS + 10))
    while [ -n "$(find_windows "$caption" 0)" ]; do
      [ "$SECONDS" -lt "$deadline" ] || fail "the window of a killed start stays"
      sleep 0.05
    done
  done
  fail "no start could be frozen before its main window was made"
}
start_frozen_while_loading
start_program "$work/empty" "$work/second-while-loading.log"; second=$started
sleep 0.5
kill -CONT "$loading"
wait_exit "$second" 10
[ "$status" = 0 ] || fail "the second start during loading ended with $status: $(cat "$work/second-while-loading.log")"
[ -z "$(find_windows "Velmora Demo" 1)" ] || fail "the second start showed the box that reports a running instance"
[ -n "$(find_windows "$caption" 20)" ] || fail "the first did not finish loading: $(cat "$work/loading.log")"
kill -9 "$loading"
wait "$loading" 2>/dev/null || true

echo "== unreadable content, named on the command line: one box over the splash, then exit 1"
mkdir -p "$work/broken/menl.dat"
start_program "$work/empty" "$work/broken.log" "$work/broken"; broken=$started
boxes=$(find_windows "Błąd" 20)
[ "$(echo "$boxes" | grep -c .)" = 1 ] || fail "expected exactly one box, found: $boxes; $(cat "$work/broken.log")"
[ -n "$(find_windows "Velmora Demo Splash" 1)" ] || fail "the splash is gone"
# The box has the keyboard focus: Enter presses its OK button.
xdotool key Return
wait_exit "$broken" 10
[ "$status" = 1 ] || fail "the failed start ended with $status"
grep -q "Wystąpił błąd podczas wczytywania zasobów!" "$work/broken.log" || fail "no line on standard error"
# The box's text, on standard error in one line, names the file and the
# command that explains the content.
grep -q "menl.dat.*velmora-content check \"$work/broken\"" "$work/broken.log" ||
  fail "the failure names no file or no command: $(cat "$work/broken.log")"

echo "== a running instance that does not answer: the box says so"
# Holding the lock without listening is what a hung first instance does.
lock=$(find "$XDG_RUNTIME_DIR" -name '*.lock' | head -n 1)
[ -n "$lock" ] || fail "no lock file left by the earlier starts"
# The lock is held on the subshell's descriptor and the subshell becomes the
# sleep: killing it frees the lock, and no orphan keeps the output open.
(exec 9<"$lock" && flock 9 && exec sleep 60) &
holder=$!
pids+=("$holder")
sleep 0.5
start_program "$work/demo" "$work/hung.log"; hung=$started
[ -n "$(find_windows "Velmora Demo" 20)" ] || fail "no box for an instance that does not answer: $(cat "$work/hung.log")"
xdotool key Return
wait_exit "$hung" 10
grep -q "Zamknij proces aplikacji lub uruchom ponownie komputer." "$work/hung.log" || fail "the box's text: $(cat "$work/hung.log")"
kill "$holder"

echo "passed"
