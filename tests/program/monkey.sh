#!/usr/bin/env bash
# A monkey: drives the real program on a display of its own with a seeded
# random mix of what a user does (clicks on the menu, the centre, the sound
# markers, Start/Stop, the sliders, the three buttons and inside the windows
# they open; wheel turns; keys; resizes; closing the secondary windows), and
# fails when the program crashes, exits, reports a sanitizer error or a failed
# handler, or stops answering: every few seconds a probe hovers over the
# Start/Stop label, whose colours must change on the screen within 2 s.
# SECONDS counts from the main window's first showing.
# The random start (SEED) and every action are logged, so a failure can be replayed.
#   monkey.sh SECONDS SEED [VELMORA VELMORA_CONTENT]
# Without the last two, the ASan build's programs are used (else the release
# build's).
set -euo pipefail
duration=${1:?usage: monkey.sh SECONDS SEED [VELMORA VELMORA_CONTENT]}
random_start=${2:?usage: monkey.sh SECONDS SEED [VELMORA VELMORA_CONTENT]}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
default_build=$root/build/asan
[ -x "$default_build/app/velmora" ] || default_build=$root/build/release
program=$(realpath "${3:-$default_build/app/velmora}")
tool=$(realpath "${4:-$default_build/tools/velmora-content}")

work=$(mktemp -d)
xvfb=
velmora=
openbox=
cleanup() {
  [ -z "$velmora" ] || kill -9 "$velmora" 2>/dev/null || true
  [ -z "$openbox" ] || kill "$openbox" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display, a runtime folder and a configuration folder of its own, so that
# monkeys and program tests of several worktrees run side by side.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
mkdir -m 700 "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
export SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS=suppressions=$here/lsan.supp:print_suppressions=0
export ASAN_OPTIONS=abort_on_error=0:exitcode=86

started=$SECONDS
actions=0
probes=0
say() { echo "[$((SECONDS - started))s #$actions] $*"; }

fail() {
  say "FAIL (SEED $random_start): $*"
  import -window root "$work/failure.png" 2>/dev/null && cp "$work/failure.png" "${TMPDIR:-/tmp}/monkey-$random_start-failure.png" &&
    echo "screenshot: ${TMPDIR:-/tmp}/monkey-$random_start-failure.png"
  echo "--- program output (last 40 lines)"
  tail -n 40 "$work/program.log" || true
  exit 1
}

# Sanitizer reports and failed handlers (the program writes one line for
# each and goes on; the monkey counts that as a fault).
check_output() {
  if grep -qE "ERROR: (Address|Leak)Sanitizer|runtime error:|SUMMARY: [A-Za-z]+Sanitizer" "$work/program.log"; then
    fail "sanitizer report"
  fi
  if grep -q "^velmora: .* failed: " "$work/program.log"; then
    fail "a handler failed: $(grep "^velmora: .* failed: " "$work/program.log" | head -3)"
  fi
}

check_alive() {
  if ! kill -0 "$velmora" 2>/dev/null; then
    local status=0
    wait "$velmora" || status=$?
    velmora=
    check_output
    fail "the program ended with status $status"
  fi
}

say "SEED $random_start, $duration s, program $program"
"$tool" make-demo "$work/demo" >/dev/null
# The menu tiles' tops and heights (plain 52, indented 38), so that clicks
# land on every tile alike, the ninth, a heading, among them.
read -r -a tile_tops < <("$tool" dump "$work/demo" | /usr/bin/python3 -c '
import json, sys
top = 0
for group in json.load(sys.stdin)["menuItems"]:
    height = 38 if group["flags"] & 4 else 52
    print(f"{top}:{height}", end=" ")
    top += height
print()')
[ "${#tile_tops[@]}" -gt 0 ] || fail "no menu groups in the demo"
(cd "$work/demo" && exec "$program") >"$work/program.log" 2>&1 &
velmora=$!

caption="^Velmora w zakresie wybranych przykładów wymowy dzieci przedszkolnych \\(Demo\\)\$"
main=
for _ in $(seq 600); do
  main=$(xdotool search --onlyvisible --name "$caption" 2>/dev/null | head -n 1 || true)
  [ -n "$main" ] && break
  check_alive
  sleep 0.1
done
[ -n "$main" ] || fail "no main window"
sleep 1
started=$SECONDS

# Every random number comes from this one generator, in this shell (a
# command substitution would run it in a subshell, which bash reseeds).
RANDOM=$random_start
rand() { r=$((RANDOM % $1)); }   # r = 0 .. $1 - 1

# The main window's place and client size; the controls follow the anchors
# of a 739 x 590 design: dx and dy are the growth beyond it.
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$main")"
  wx=$X wy=$Y ww=$WIDTH wh=$HEIGHT
  dx=$((ww - 739)) dy=$((wh - 590))
}

secondary_windows() {
  xdotool search --onlyvisible --name "^(Velmora Demo - Pomoc|Międzynarodowy alfabet fonetyczny|O Programie)\$" \
    2>/dev/null || true
}

click_at() {  # X Y [BUTTON] (client coordinates of the main window)
  xdotool mousemove "$((wx + $1))" "$((wy + $2))" click "${3:-1}"
}

# Points inside the main window's parts, in client coordinates: x and y.
# Mostly on a tile (any tile alike), sometimes anywhere in the panel.
menu_point() {
  rand 181; x=$((11 + r))
  rand 5
  if [ "$r" = 0 ]; then
    rand $((405 + dy)); y=$((92 + r))
  else
    rand ${#tile_tops[@]}; local tile=${tile_tops[$r]}
    rand "${tile#*:}"; y=$((92 + ${tile%:*} + r))
  fi
}
centre_point() { rand $((484 + dx)); x=$((223 + r)); rand $((407 + dy)); y=$((90 + r)); }
# Near the sound marker of one of the first four item tiles (two columns).
marker_point() {
  local width=$((484 + dx)) f=$((50 * ww / 1280)) m=$((ww < 1280 ? 60 * ww / 1280 : 60))
  rand 2; x=$((223 + r * width / 2 + 75 * ww / 1280 - m))
  rand 2; y=$((90 + r * (f + 120) + f + 20 * ww / 1280))
  rand 24; x=$((x + r)); rand 24; y=$((y + r))
}
bar_y() { y=$((500 + dy + $1)); }

act() {
  local pick x y target
  rand 100; pick=$r
  actions=$((actions + 1))
  if [ "$pick" -lt 14 ]; then
    menu_point; say "click menu $x,$y"; click_at "$x" "$y"
  elif [ "$pick" -lt 26 ]; then
    centre_point; say "click centre $x,$y"; click_at "$x" "$y"
  elif [ "$pick" -lt 34 ]; then
    marker_point; say "click marker $x,$y"; click_at "$x" "$y"
  elif [ "$pick" -lt 39 ]; then
    bar_y 62; say "click Start/Stop"; click_at 48 "$y"
  elif [ "$pick" -lt 43 ]; then
    rand 134; x=$((136 + r)); bar_y 62; say "click pause slider at $x"; click_at "$x" "$y"
  elif [ "$pick" -lt 47 ]; then
    rand 147; x=$((294 + r)); bar_y 60; say "click volume slider at $x"; click_at "$x" "$y"
  elif [ "$pick" -lt 50 ]; then
    bar_y 46; say "click help"; click_at "$((8 + 461 + dx + 35))" "$y"
  elif [ "$pick" -lt 52 ]; then
    bar_y 46; say "click alphabet"; click_at "$((8 + 535 + dx + 54))" "$y"
  elif [ "$pick" -lt 54 ]; then
    bar_y 46; say "click about"; click_at "$((8 + 646 + dx + 35))" "$y"
  elif [ "$pick" -lt 56 ]; then
    rand 2
    if [ "$r" = 0 ]; then rand 400; say "click title"; click_at $((223 + r)) 40
    else say "click logo"; click_at 50 40; fi
  elif [ "$pick" -lt 66 ]; then
    rand 2; local button=$((4 + r))
    rand 3
    case $r in
      0) menu_point ;;
      1) centre_point ;;
      *) rand 600; x=$((20 + r)); rand 70; bar_y $((10 + r)) ;;
    esac
    say "wheel $button at $x,$y"; click_at "$x" "$y" "$button"
  elif [ "$pick" -lt 70 ]; then
    # A group change and, within a few milliseconds (one xdotool run), a
    # wheel turn, hover or click over the centre.
    menu_point; local mx=$((wx + x)) my=$((wy + y))
    centre_point; rand 3; local then=(click 1) ; [ "$r" = 1 ] && then=(click 5); [ "$r" = 2 ] && then=()
    say "burst: click menu $((mx - wx)),$((my - wy)), then ${then[*]:-hover} at centre $x,$y"
    xdotool mousemove "$mx" "$my" click 1 mousemove "$((wx + x))" "$((wy + y))" "${then[@]}"
  elif [ "$pick" -lt 80 ]; then
    local keys=(Escape Return space Tab shift+Tab Up Down Left Right Prior Next Home End F1)
    rand ${#keys[@]}; local key=${keys[$r]}
    say "key $key"; xdotool key "$key"
  elif [ "$pick" -lt 84 ]; then
    # Within the screen from the window's place, sometimes below the minimum size.
    rand $((1280 - wx - 600 + 1)); local w=$((600 + r))
    rand $((1024 - wy - 400 + 1)); local h=$((400 + r))
    say "resize to ${w}x$h"; xdotool windowsize "$main" "$w" "$h"; sleep 0.05; geometry
  elif [ "$pick" -lt 93 ]; then
    target=$(secondary_windows | head -n 1)
    if [ -z "$target" ]; then
      centre_point; say "hover $x,$y"; xdotool mousemove "$((wx + x))" "$((wy + y))"
    else
      eval "$(xdotool getwindowgeometry --shell "$target")"
      rand "$WIDTH"; x=$((X + r)); rand "$HEIGHT"; y=$((Y + r))
      rand 3
      if [ "$r" = 0 ]; then
        rand 2; say "wheel in window $target at $x,$y"; xdotool mousemove "$x" "$y" click $((4 + r))
      else
        say "click in window $target at $x,$y"; xdotool mousemove "$x" "$y" click 1
      fi
    fi
  else
    target=$(secondary_windows | head -n 1)
    if [ -n "$target" ]; then
      say "close window $target"; xdotool windowfocus "$target" 2>/dev/null || true; xdotool key Escape
    else
      menu_point; say "hover menu $x,$y"; xdotool mousemove "$((wx + x))" "$((wy + y))"
    fi
  fi
  # Often no pause at all: the heading's 150 ms and the redraw's 150 ms are
  # where stale state hides.
  rand 4
  case $r in
    0) ;;
    1) rand 5; sleep "0.0$r" ;;
    *) rand 3; sleep "0.$((1 + r))" ;;
  esac
}

close_secondary_windows() {
  local deadline=$((SECONDS + 10)) target
  while target=$(secondary_windows | head -n 1) && [ -n "$target" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "window $target does not close on Escape"
    xdotool windowfocus "$target" 2>/dev/null || true
    xdotool key Escape
    sleep 0.1
  done
}

# Whether the Start/Stop label's text is blue (under the pointer) or not:
# its plain text is grey and none of its backgrounds is blue. Only the
# label's inside is read: the dotted mark of the keyboard focus, in the same
# blue, runs along its edges.
label_is_blue() {
  import -window root -crop "56x14+$((wx + 21))+$((wy + 500 + dy + 55))" -depth 8 rgb:- 2>/dev/null |
    /usr/bin/python3 -c '
import sys
data = sys.stdin.buffer.read()
blue = any(data[i + 2] > 200 and data[i] < 90 and data[i + 1] < 90 for i in range(0, len(data) - 2, 3))
sys.exit(0 if blue else 1)'
}

# Waits up to 2 s for the label to be blue ($1 = yes) or not ($1 = no).
label_turns() {
  local until_ms=$(($(date +%s%3N) + 2000))
  while :; do
    if label_is_blue; then [ "$1" = yes ] && return 0; else [ "$1" = no ] && return 0; fi
    [ "$(date +%s%3N)" -lt "$until_ms" ] || return 1
    sleep 0.05
  done
}

# Closes the secondary windows, then moves the pointer off and onto
# Start/Stop: its text turns grey and blue again, which only a running
# event loop paints.
probe() {
  probes=$((probes + 1))
  close_secondary_windows
  geometry
  xdotool mousemove "$((wx + 150))" "$((wy + 30))"
  label_turns no || fail "no repaint within 2 s of leaving Start/Stop"
  xdotool mousemove "$((wx + 48))" "$((wy + 500 + dy + 62))"
  label_turns yes || fail "no repaint within 2 s of hovering over Start/Stop"
  say "probe $probes answered"
}

geometry
next_probe=$((SECONDS + 5))
while [ $((SECONDS - started)) -lt "$duration" ]; do
  act
  check_alive
  if [ "$SECONDS" -ge "$next_probe" ]; then
    check_output
    probe
    check_alive
    next_probe=$((SECONDS + 10))
  fi
done
probe
close_secondary_windows

# The end as a user ends it, so that leaks are reported at exit: a window
# manager comes (nothing else closes a window gracefully), then Alt+F4.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
openbox=$!
sleep 1
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key alt+F4
for _ in $(seq 600); do kill -0 "$velmora" 2>/dev/null || break; sleep 0.1; done
kill -0 "$velmora" 2>/dev/null && fail "the main window did not close on Alt+F4"
status=0
wait "$velmora" || status=$?
velmora=
check_output
[ "$status" = 0 ] || fail "the program ended with status $status after Alt+F4"
say "passed: $actions actions, $probes probes, SEED $random_start"
