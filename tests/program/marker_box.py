#!/usr/bin/python3
"""Prints the box of the sound marker's pixels on a screenshot as
"left top right bottom" (inclusive), in the screenshot's pixels, or nothing
when there are none.
   marker_box.py SHOT.ppm
The marker is its picture's coverage between white and one ink colour that
nothing else on the main window uses: its pixels are the ones whose distance
from white points the way the ink's does. Faint edge pixels are left out."""
import sys

INK = (0xB9, 0xA7, 0x84)
AWAY = tuple(255 - c for c in INK)
# The least blue a marker pixel takes from white, and how far its red and
# green may stray from the ink's proportions.
LEAST = 24
SLACK = 0.08


def is_marker(r, g, b):
    away = (255 - r, 255 - g, 255 - b)
    if away[2] < LEAST:
        return False
    return all(abs(away[i] / away[2] - AWAY[i] / AWAY[2]) <= SLACK for i in (0, 1))


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit("not a binary PPM with maxval 255: " + path)
    return int(fields[1]), int(fields[2]), data[pos + 1:]


width, height, pixels = read_ppm(sys.argv[1])
xs, ys = [], []
for at in range(0, width * height * 3, 3):
    if pixels[at] != 255 and is_marker(pixels[at], pixels[at + 1], pixels[at + 2]):
        xs.append(at // 3 % width)
        ys.append(at // 3 // width)
if xs:
    print(min(xs), min(ys), max(xs), max(ys))
