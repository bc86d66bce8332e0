#!/usr/bin/env bash
# The program on a real desktop: under openbox and without a window manager,
# on 1280 x 1024 and 1024 x 768 screens, every window's whole size and place
# (frame included) and its title bar on the screen, and its icon; the splash
# painted while a large content set loads; the volume kept across starts and
# a corrupt configuration; item pictures at the screen's pixels at twice the
# density. Each screen is an Xvfb server of its own.
#   desktop.sh VELMORA VELMORA_CONTENT
set -euo pipefail
shopt -s inherit_errexit
program=$(realpath "$1")
tool=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill -9 "${pids[i]}" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache HOME=$work/home
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$HOME"
export LSAN_OPTIONS=suppressions=$here/lsan.supp:print_suppressions=0
export SDL_AUDIODRIVER=dummy
caption="Velmora w zakresie wybranych przykładów wymowy dzieci przedszkolnych \\(Demo\\)"

fail() { echo "FAIL: $*" >&2; exit 1; }

# What a program $1 that has not shown its window was doing: what it wrote
# to $2, the windows mapped, and its threads' stacks.
stuck() {
  echo "output: $(cat "$2")"
  echo "mapped: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')"
  if command -v gdb >/dev/null; then
    timeout 60 gdb -p "$1" -batch -ex 'thread apply all bt' 2>/dev/null | grep -E '^(Thread|#)' || true
  fi
}

# Polls the command $2... until it prints something, for up to $1 seconds.
wait_output() {
  local deadline=$((SECONDS + $1)); shift
  local out
  while :; do
    out=$("$@" 2>/dev/null || true)
    if [ -n "$out" ] || [ "$SECONDS" -ge "$deadline" ]; then echo "$out"; return; fi
    sleep 0.02
  done
}

# The mapped window whose title is the whole of $1, waiting up to $2 s.
visible_window() { wait_output "$2" xdotool search --onlyvisible --name "^$1\$" | awk 'NR == 1'; }

# Waits up to $2 s until no window titled $1 is mapped.
wait_gone() {
  local deadline=$((SECONDS + $2))
  while [ -n "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true)" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "'$1' did not close"
    sleep 0.05
  done
}

# A new X server of WxH on a free display; DISPLAY names it.
start_display() {
  : >"$work/display"
  Xvfb -displayfd 3 -screen 0 "${1}x24" -noreset 3>"$work/display" 2>/dev/null &
  pids+=($!)
  local number
  number=$(wait_output 10 grep . "$work/display")
  [ -n "$number" ] || fail "no X server"
  export DISPLAY=:$number
}

# The window manager's mark on the root window, once one runs.
wm_check() { xprop -root _NET_SUPPORTING_WM_CHECK | sed -n 's/.*# //p'; }

start_openbox() {
  openbox >/dev/null 2>&1 &
  pids+=($!)
  [ -n "$(wait_output 10 wm_check)" ] || fail "openbox did not start"
}

start_program() {  # DIR LOG
  (cd "$1" && exec "$program") >"$2" 2>&1 &
  started=$!
  pids+=("$started")
}

# The client rectangle of window $1: left top width height.
client_rect() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /^ *Width/ {w = $NF} /^ *Height/ {h = $NF} END {print x, y, w, h}'
}

# The frame window manager has put around window $1: left right top bottom.
frame_extents() { xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ,; }

# The sizes of window $1's icon, one line each; nothing without an icon.
icon_sizes() { xprop -id "$1" _NET_WM_ICON | grep "Icon ("; }

# The whole window $1, frame included: left top width height. Under a window
# manager, waits for it to set the frame.
outer_rect() {
  local extents="0 0 0 0"
  if [ "$wm" = openbox ]; then
    extents=$(wait_output 5 frame_extents "$1")
    [ -n "$extents" ] || fail "no frame on window $1"
  fi
  local l r t b x y w h
  read -r l r t b <<<"$extents"
  read -r x y w h <<<"$(client_rect "$1")"
  echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}

# Checks window $1 ($2 names it): on the screen, icon set; prints its whole rectangle.
check_window() {
  local rect x y w h
  rect=$(outer_rect "$1")
  read -r x y w h <<<"$rect"
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$screen_w" ] && [ $((y + h)) -le "$screen_h" ] ||
    fail "$2 at $rect is not on the $screen_w x $screen_h screen ($wm)"
  # The icon follows the main window's first paint.
  [ -n "$(wait_output 5 icon_sizes "$1")" ] || fail "$2 has no icon"
  echo "$rect"
}

# Clicks the main window's client point (X from the right edge, Y from the bottom).
click_from_bottom_right() {
  local x y w h
  read -r x y w h <<<"$(client_rect "$main")"
  xdotool mousemove $((x + w - $1)) $((y + h - $2))
  sleep 0.2
  xdotool click 1
}

"$tool" make-demo "$work/demo" >/dev/null

# Whole windows on each desktop. The main window: 1100 x 1000 or 800 x 760,
# centred; about and the presentation centred; help 5 below the main
# window's top.
for setup in "1280x1024 openbox 90 12 1100 1000" "1024x768 openbox 112 4 800 760" "1024x768 none 112 4 800 760"; do
  read -r size wm mx my mw mh <<<"$setup"
  echo "== $size, window manager: $wm"
  screen_w=${size%x*} screen_h=${size#*x}
  start_display "$size"
  [ "$wm" = none ] || start_openbox
  start_program "$work/demo" "$work/program.log"
  main=$(visible_window "$caption" 20)
  [ -n "$main" ] || fail "no main window: $(stuck "$started" "$work/program.log")"
  rect=$(check_window "$main" "the main window")
  [ "$rect" = "$mx $my $mw $mh" ] || fail "main window at $rect, not $mx $my $mw $mh"

  sleep 1  # the splash goes 800 ms after the main window shows
  click_from_bottom_right 50 44
  about=$(visible_window "O Programie" 10)
  [ -n "$about" ] || fail "the about window did not open"
  rect=$(check_window "$about" "the about window")
  read -r x y w h <<<"$rect"
  [ "$x $y" = "$(((screen_w - w) / 2)) $(((screen_h - h) / 2))" ] || fail "about window not centred: $x $y $w $h"
  xdotool key Return
  wait_gone "O Programie" 5

  click_from_bottom_right 142 44
  alphabet=$(visible_window "Międzynarodowy alfabet fonetyczny" 10)
  [ -n "$alphabet" ] || fail "the presentation did not open"
  rect=$(check_window "$alphabet" "the presentation")
  read -r x y w h <<<"$rect"
  [ "$x $y" = "$(((screen_w - w) / 2)) $(((screen_h - h) / 2))" ] || fail "presentation not centred: $x $y $w $h"
  xdotool key Escape
  wait_gone "Międzynarodowy alfabet fonetyczny" 5

  click_from_bottom_right 235 44
  help=$(visible_window "Velmora Demo - Pomoc" 10)
  [ -n "$help" ] || fail "the help window did not open"
  rect=$(check_window "$help" "the help window")
  read -r x y w h <<<"$rect"
  [ "$y" = $((my + 5)) ] || fail "help window top at $y, not $((my + 5))"
  xdotool key Escape
  wait_gone "Velmora Demo - Pomoc" 5

  if [ "$wm" = openbox ]; then
    # The window manager keeps the whole window at 754 x 450 or more.
    xdotool windowsize "$main" 300 200
    sleep 0.5
    read -r x y w h <<<"$(outer_rect "$main")"
    [ "$w" -ge 754 ] && [ "$h" -ge 450 ] || fail "the main window shrank to $w x $h"
  fi

  kill -9 "$started"
  wait "$started" 2>/dev/null || true
done

echo "== volume: a corrupt configuration starts at 60 % and says so once"
mkdir -p "$XDG_CONFIG_HOME/velmora"
conf=$XDG_CONFIG_HOME/velmora/velmora.conf
printf '\0\377[General\nvolume=loud' >"$conf"
start_program "$work/demo" "$work/volume.log"
main=$(visible_window "$caption" 20)
[ -n "$main" ] || fail "no main window over a corrupt configuration: $(stuck "$started" "$work/volume.log")"
# The start writes back what it reads, as a user's move does.
[ -n "$(wait_output 5 grep -x 'volume=60' "$conf")" ] || fail "not at 60 %: $(cat "$conf")"
[ "$(grep -c 'is corrupt' "$work/volume.log")" = 1 ] || fail "no single line on standard error: $(cat "$work/volume.log")"

echo "== volume: set, quit, start again: the same position"
# A click on the volume track right of the thumb pages it up by 10.
read -r x y w h <<<"$(client_rect "$main")"
xdotool mousemove $((x + 8 + 286 + 110)) $((y + h - 90 + 60))
sleep 0.2
xdotool click 1
[ -n "$(wait_output 5 grep -x 'volume=70' "$conf")" ] || fail "the move was not kept: $(cat "$conf")"
kill -9 "$started"
wait "$started" 2>/dev/null || true
start_program "$work/demo" "$work/volume2.log"
[ -n "$(visible_window "$caption" 20)" ] || fail "no main window on the second start: $(stuck "$started" "$work/volume2.log")"
sleep 1
grep -qx 'volume=70' "$conf" || fail "the second start did not keep 70 %: $(cat "$conf")"
[ ! -s "$work/volume2.log" ] || fail "the second start said: $(cat "$work/volume2.log")"
kill -9 "$started"
wait "$started" 2>/dev/null || true

echo "== the splash is painted while a large content set loads"
start_display 1280x1024
wm=openbox
start_openbox
"$tool" make-demo --synthetic 40 12 30 "$work/large" >/dev/null
# A slow machine, where the load lasts seconds: the program shares one
# processor with two busy loops of a higher priority.
busy=()
for _ in 1 2; do
  taskset -c 0 sh -c 'while :; do :; done' &
  busy+=($!)
  pids+=($!)
done
(cd "$work/large" && exec taskset -c 0 nice -n 10 "$program") >"$work/large.log" 2>&1 &
started=$!
pids+=("$started")
splash=$(visible_window "Velmora Demo Splash" 30)
[ -n "$splash" ] || fail "no splash: $(cat "$work/large.log")"
# The load must not hold up the splash's painting: the splash shows its
# frame band within 2 s (here the load lasts several), in a screenshot made
# while the main window is still absent (looked for after the screenshot).
read -r x y w h <<<"$(client_rect "$splash")"
pixel() { convert "$work/splash.png" -format "%[pixel:p{$1,$2}]" info:; }
deadline=$((SECONDS + 2))
while :; do
  import -window root "$work/splash.png"
  [ -z "$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null || true)" ] ||
    fail "the content had loaded before the splash was painted"
  [ "$(pixel $((x + 4)) $((y + 4)))" = "srgb(97,72,149)" ] && break
  [ "$SECONDS" -lt "$deadline" ] || fail "no frame band: $(pixel $((x + 4)) $((y + 4)))"
  sleep 0.2
done
kill -9 "${busy[@]}"
[ "$(pixel $((x + 200)) $((y + 100)))" = "srgb(43,0,85)" ] || fail "no background: $(pixel $((x + 200)) $((y + 100)))"
[ -n "$(visible_window "$caption" 60)" ] || fail "the large set never showed the main window: $(stuck "$started" "$work/large.log")"
kill -9 "$started"
wait "$started" 2>/dev/null || true

echo "== at twice the density, item pictures have detail finer than 2 x 2 blocks"
start_display 2560x2048
export QT_SCALE_FACTOR=2
start_program "$work/demo" "$work/hidpi.log"
main=$(visible_window "$caption" 20)
[ -n "$main" ] || fail "no main window at twice the density: $(stuck "$started" "$work/hidpi.log")"
sleep 1  # the item pictures are prepared in idle time
import -window root "$work/hidpi.png"
# 60 x 60 screen pixels inside the first item's picture (the demo's cat),
# at even screen coordinates like every window pixel at this density.
read -r x y w h <<<"$(client_rect "$main")"
fine=$(convert "$work/hidpi.png" -crop "60x60+$((x + 800))+$((y + 400))" +repage -depth 8 rgb:- |
  /usr/bin/python3 "$here/fine_blocks.py" 60 60)
[ "$fine" -ge 50 ] || fail "only $fine of 900 blocks of 2 x 2 pixels show detail"

echo "passed"
