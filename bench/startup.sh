#!/usr/bin/env bash
# Start-up benchmark: how long each program takes from its start to its
# window's first paint under Xvfb, against the floor (an empty Qt Widgets
# window of the main window's size). Prints the median of RUNS starts per
# line and its ratio to the floor's median; ratios, not times, compare
# across machines and loads. A second table gives the processor time each
# program had used by then (all its threads): on a busy machine the elapsed
# times mostly say how long a program waited for a core, this one how much
# work it did.
#
#   bench/startup.sh [BUILD_DIR]     # default build/release; RUNS=6 by default
#   WM=openbox bench/startup.sh      # the same under a window manager
#   NOBUS=1 bench/startup.sh         # the same without a session bus
#
# Like a desktop, the benchmark has a session bus of its own: without one,
# Qt, in the floor and in the program alike, looks for a bus by forking to
# run dbus-launch, which no start on a desktop pays.
#
# The programs of a round start one after the other, round after round, so
# a change in the machine's load touches every line alike. One round before
# the measured ones warms the page cache and leaves the program's record of
# picture checks in the benchmark's own cache folder (never the user's): the
# lines measure later starts, which trust it, except the synthetic set's
# first start, which has an empty cache folder each time.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/release}")
runs=${RUNS:-6}

cmake --build "$build" --target velmora velmora-content startup_floor startup_probe >/dev/null

runtime=$(mktemp -d)
started=()  # the X server, the session bus, the window manager
cleanup() {
    [ ${#started[@]} -eq 0 ] || kill "${started[@]}" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$runtime"
work="$build/bench-startup"
export XDG_CACHE_HOME="$work/cache"
tool="$build/tools/velmora-content"
mkdir -p "$work"
[ -f "$work/demo/menl.dat" ] || "$tool" make-demo "$work/demo" >/dev/null
[ -f "$work/synthetic/menl.dat" ] || "$tool" make-demo --synthetic 40 12 60 "$work/synthetic" >/dev/null

exec 3< <(Xvfb -displayfd 4 -screen 0 1920x1080x24 -noreset -nolisten tcp 4>&1 2>/dev/null)
started+=($!)
read -r -u 3 display
export DISPLAY=":$display"
export SDL_AUDIODRIVER=dummy   # no sound card's probing in the figures
if [ -z "${NOBUS:-}" ]; then
    read -r DBUS_SESSION_BUS_ADDRESS bus < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd ' ')
    export DBUS_SESSION_BUS_ADDRESS
    started+=("$bus")
else
    unset DBUS_SESSION_BUS_ADDRESS
fi
if [ -n "${WM:-}" ]; then
    "$WM" >/dev/null 2>&1 &
    started+=($!)
    # Managing begins once the manager has claimed the screen.
    managing() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    for ((i = 0; i < 50; ++i)); do managing && break; sleep 0.1; done
    if ! managing; then
        echo "the window manager '$WM' did not start" >&2
        exit 1
    fi
fi

probe="$build/bench/startup_probe"
main_title="Velmora w zakresie wybranych przykładów wymowy dzieci przedszkolnych (Demo)"
splash_title="Velmora Demo Splash"

# Prints the probe's "elapsed/cpu" milliseconds, one pair per window, on one line.
start() {  # DIR WINDOW... -- PROGRAM
    local dir=$1
    shift
    local windows=()
    while [ "$1" != "--" ]; do windows+=(--window "$1"); shift; done
    shift
    # Each start has its own runtime directory: a fresh single-instance lock.
    local xdg
    xdg=$(mktemp -d -p "$runtime")
    (cd "$dir" && XDG_RUNTIME_DIR="$xdg" "$probe" "${windows[@]}" -- "$@" 2>/dev/null) | awk -F'\t' '{ print $2 "/" $3 }' | paste -sd' '
}

declare -a floor demo_main demo_splash synthetic_main synthetic_first
round() {
    local f d s n
    f=$(start "$work" floor -- "$build/bench/startup_floor")
    d=$(start "$work/demo" "$splash_title" "$main_title" -- "$build/app/velmora")
    s=$(start "$work/synthetic" "$main_title" -- "$build/app/velmora")
    n=$(XDG_CACHE_HOME=$(mktemp -d -p "$runtime") start "$work/synthetic" "$main_title" -- "$build/app/velmora")
    if [ "$1" = measured ]; then
        floor+=("$f")
        demo_splash+=("${d%% *}")
        demo_main+=("${d##* }")
        synthetic_main+=("$s")
        synthetic_first+=("$n")
    fi
}

# The record is written just after the main window shows, and the probe
# ends the program once the window is painted: a start may end first.
records() { find "$XDG_CACHE_HOME/velmora" -name '*.pictures' 2>/dev/null | wc -l; }
echo "window manager: ${WM:-none}; session bus: $([ -n "${NOBUS:-}" ] && echo none || echo its own)"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((i = 0; i < 5 && $(records) < 2; ++i)); do round warm-up; done
if [ "$(records)" -lt 2 ]; then
    echo "the program left no record of its picture checks in $XDG_CACHE_HOME/velmora" >&2
    exit 1
fi
for ((i = 0; i < runs; ++i)); do round measured; done
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"

median() {
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

for v in "${floor[@]}" "${demo_main[@]}" "${demo_splash[@]}" "${synthetic_main[@]}" "${synthetic_first[@]}"; do
    case "$v" in
    */*[0-9]) ;;
    *)
        echo "a window was never painted (a failed start?)" >&2
        exit 1
        ;;
    esac
done

# field 1: elapsed, field 2: processor time
table() {  # FIELD TITLE
    local field=$1
    pick() { printf '%s\n' "$@" | cut -d/ -f"$field"; }
    local floor_median
    floor_median=$(median $(pick "${floor[@]}"))
    row() {  # WHAT GOAL SAMPLES...
        local what=$1 goal=$2
        shift 2
        local samples m
        samples=$(pick "$@" | paste -sd' ')
        m=$(median $samples)
        printf '| %-55s | %7.1f | %5.2fx | %-7s | %s\n' "$what" "$m" "$(echo "$m / $floor_median" | bc -l)" "$goal" "$samples"
    }
    printf '\n| %-55s | %7s | %6s | %-7s | %s\n' "$2, median of $runs starts" "ms" "floor" "goal" "every start, ms"
    printf '|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..57})" "---------" "--------" "---------"
    row "an empty Qt Widgets window, 1100x1000 (the floor)" "" "${floor[@]}"
    row "the demo content, main window visible" "<= 2x" "${demo_main[@]}"
    row "synthetic set 40 12 60, main window visible" "<= 3x" "${synthetic_main[@]}"
    row "  the same, first start (no record of picture checks)" "" "${synthetic_first[@]}"
    row "the splash visible" "<= 1.3x" "${demo_splash[@]}"
}
table 1 "from start to first paint"
table 2 "processor time by first paint"
