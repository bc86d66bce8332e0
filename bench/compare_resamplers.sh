#!/usr/bin/env bash
# Times StretchBitmap at every kernel level the processor offers against the
# resamplers a user would reach for (Pillow, libvips, Qt's smooth
# QImage::scaled) on the benchmark pairs, each pinned to one CPU on in-memory
# 24-bit images, and prints one table per level: every peer's time divided by
# ours, and whether the level meets its goal (at most half of every peer's
# time at the AVX-512 and x86-64-v3 levels, no more than any peer's at the
# portable one). Installs the peers from Debian packages when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

pairs=(600 400 375 250  600 400 216 144  1200 1700 840 1190  1200 1700 600 850
       1600 1200 1024 768  1600 1200 800 600  76 46 120 73
       1601 1201 1021 767  1601 1201 503 401  1600 1200 683 512
       1200 1700 537 761  1200 1700 360 510  2480 3508 840 1188)

scripts/install-packages.sh python3-pil libvips-dev qt6-base-dev pkg-config g++

cmake --preset release >/dev/null
cmake --build --preset release --target stretch_bench -j2 >/dev/null
peers=build/release/bench/resample_peers
g++ -O2 -std=c++17 -fPIC -DQT_NO_KEYWORDS bench/peers/ResamplePeers.cpp -o "$peers" \
  $(pkg-config --cflags --libs Qt6Core Qt6Gui vips)

one_cpu=()
if command -v taskset >/dev/null; then one_cpu=(taskset -c 0); fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"${one_cpu[@]}" build/release/bench/stretch_bench --benchmark_format=json --benchmark_repetitions=5 \
  --benchmark_min_time=0.2 >"$work/ours.json"
"${one_cpu[@]}" "$peers" "${pairs[@]}" >"$work/peers.txt"
"${one_cpu[@]}" /usr/bin/python3 bench/peers/pillow_peer.py "${pairs[@]}" >>"$work/peers.txt"

/usr/bin/python3 - "$work/ours.json" "$work/peers.txt" "${pairs[@]}" <<'PY'
import json, sys
ours_file, peers_file, *sizes = sys.argv[1:]
sizes = [int(s) for s in sizes]
ours = {}
for run in json.load(open(ours_file))["benchmarks"]:
    if run.get("run_type") != "iteration":
        continue
    parts = run["run_name"].split("/")
    key = (parts[1], tuple(int(part.split(":")[1]) for part in parts[2:6]))
    seconds = run["real_time"] * {"us": 1e-6, "ms": 1e-3, "ns": 1e-9}[run["time_unit"]]
    ours[key] = min(ours.get(key, seconds), seconds)
peers = {}
for line in open(peers_file):
    name, *numbers = line.split()
    peers[(name, tuple(int(n) for n in numbers[:4]))] = float(numbers[4])
names = ["pillow", "vips", "qt"]
goals = {"avx512": 2.0, "v3": 2.0, "default": 1.0}
for level in ["avx512", "v3", "default"]:
    if not any(key[0] == level for key in ours):
        print(f"\nlevel {level}: not offered by this processor")
        continue
    print(f"\nlevel {level} (goal: every peer's time at least {goals[level]:.0f} x ours)")
    print(f"{'pair':<24}{'ours Mpx/s':>11}" + "".join(f"{n + ' Mpx/s':>14}{n + ' ratio':>14}" for n in names)
          + f"{'goal':>6}")
    for i in range(0, len(sizes), 4):
        pair = tuple(sizes[i:i + 4])
        pixels = pair[2] * pair[3]
        mine = ours[(level, pair)]
        row = f"{'%dx%d -> %dx%d' % pair:<24}{pixels / mine / 1e6:>11.0f}"
        ratios = []
        for n in names:
            t = peers.get((n, pair), -1)
            if t > 0:
                ratios.append(t / mine)
                row += f"{pixels / t / 1e6:>14.0f}{t / mine:>14.2f}"
            else:
                row += f"{'size?':>14}{'-':>14}"
        row += f"{'met' if ratios and min(ratios) >= goals[level] else 'MISSED':>6}"
        print(row)
PY
