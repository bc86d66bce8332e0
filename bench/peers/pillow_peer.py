"""Times Pillow's Image.resize on the pairs given as arguments (SW SH DW DH ...).

Bilinear where Velmora interpolates (down to half size), box filter where it
averages (below half); one thread, in-memory RGB images. Prints one line per
pair: "pillow sw sh dw dh seconds-per-resize".
"""
import random
import sys
import time

from PIL import Image


def time_per_call(call):
    best = float("inf")
    for _ in range(5):
        calls = 0
        start = time.perf_counter()
        while True:
            call()
            calls += 1
            elapsed = time.perf_counter() - start
            if elapsed >= 0.2:
                break
        best = min(best, elapsed / calls)
    return best


def main(args):
    sizes = [int(a) for a in args]
    rng = random.Random(77)
    for i in range(0, len(sizes) - 3, 4):
        sw, sh, dw, dh = sizes[i:i + 4]
        image = Image.frombytes("RGB", (sw, sh), rng.randbytes(sw * sh * 3))
        below_half = dw < (sw + 1) // 2 or dh < (sh + 1) // 2
        method = Image.Resampling.BOX if below_half else Image.Resampling.BILINEAR
        seconds = time_per_call(lambda: image.resize((dw, dh), method, reducing_gap=None))
        print(f"pillow {sw} {sh} {dw} {dh} {seconds:.9f}", flush=True)


if __name__ == "__main__":
    main(sys.argv[1:])
