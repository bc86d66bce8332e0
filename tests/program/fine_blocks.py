"""Reads a W x H raw RGB picture (argv[1], argv[2]) on standard input and
prints how many of its 2 x 2 blocks, aligned at its top-left corner, are not
one colour: a picture enlarged from half the size has none."""
import sys
w, h = int(sys.argv[1]), int(sys.argv[2])
data = sys.stdin.buffer.read()
px = lambda x, y: data[3 * (y * w + x):3 * (y * w + x) + 3]
n = sum(1 for y in range(0, h - 1, 2) for x in range(0, w - 1, 2)
        if len({px(x, y), px(x + 1, y), px(x, y + 1), px(x + 1, y + 1)}) > 1)
print(n)
