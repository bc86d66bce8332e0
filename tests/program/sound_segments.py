#!/usr/bin/env python3
"""Prints the sounding stretches of a raw signed 16-bit interleaved stereo
file (what SDL's disk audio driver writes) as "start end" seconds, one a
line. A stretch ends after 0.2 s below the threshold."""
import array
import sys

path, rate = sys.argv[1], int(sys.argv[2])
offset = int(sys.argv[3]) if len(sys.argv) > 3 else 0
samples = array.array("h")
with open(path, "rb") as f:
    f.seek(offset - offset % 4)
    data = f.read()
samples.frombytes(data[: len(data) - len(data) % 4])
window = rate // 100  # 10 ms of frames
threshold = 300
loud = []
for start in range(0, len(samples) // 2 - window, window):
    chunk = samples[2 * start: 2 * (start + window)]
    loud.append(max(abs(v) for v in chunk) > threshold)
start = None
quiet = 0
for i, is_loud in enumerate(loud + [False] * 21):
    if is_loud:
        if start is None:
            start = i
        quiet = 0
    elif start is not None:
        quiet += 1
        if quiet > 20:
            print(f"{start / 100:.2f} {(i - quiet + 1) / 100:.2f}")
            start = None
