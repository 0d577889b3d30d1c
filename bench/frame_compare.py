#!/usr/bin/env python3
"""Whether two builds draw the shipped world alike: the picture check of a
performance change.

Each terrava-tool draws the frames of its own scene folder at five flight
times (5, 30, 60, 90 and 120 s) at 800 x 600 and 1920 x 1080; each pair of
frames may differ by at most 2 levels in any channel, on at most 0.1 % of
the pixels. The frames are read as raw RGBA through ImageMagick's convert.
Prints one line per pair and exits 1 when a pair differs more.
"""
import argparse
import os
import subprocess
import sys

SIZES = [(800, 600), (1920, 1080)]
FLIGHT_TIMES = [5, 30, 60, 90, 120]  # seconds
MAX_LEVELS = 2             # largest difference allowed in a channel
MAX_SHARE = 0.001          # share of the pixels that may differ at all


def render(tool, data, out, width, height, seconds):
    subprocess.run([tool, "render", data, out, "--width", str(width), "--height", str(height),
                    "--time", str(seconds)], check=True, stdout=subprocess.DEVNULL)
    return subprocess.run(["convert", out, "-depth", "8", "rgba:-"], check=True, stdout=subprocess.PIPE).stdout


def difference(before, after):
    """(pixels that differ, largest difference in a channel)."""
    if before == after:
        return 0, 0
    differing = largest = 0
    for i in range(0, len(before), 4):
        a, b = before[i:i + 4], after[i:i + 4]
        if a != b:
            differing += 1
            largest = max(largest, max(abs(x - y) for x, y in zip(a, b)))
    return differing, largest


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--before-tool", required=True)
    ap.add_argument("--before-data", required=True)
    ap.add_argument("--after-tool", required=True)
    ap.add_argument("--after-data", required=True)
    ap.add_argument("--out", required=True, help="folder for the frames drawn")
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    ok = True
    for width, height in SIZES:
        for seconds in FLIGHT_TIMES:
            name = f"{width}x{height}-t{seconds}"
            before = render(args.before_tool, args.before_data, os.path.join(args.out, f"before-{name}.png"),
                            width, height, seconds)
            after = render(args.after_tool, args.after_data, os.path.join(args.out, f"after-{name}.png"),
                           width, height, seconds)
            differing, largest = difference(before, after)
            share = differing / (width * height)
            alike = len(before) == len(after) and largest <= MAX_LEVELS and share <= MAX_SHARE
            ok = ok and alike
            print(f"{name:>16}: {differing:8d} pixels differ ({100 * share:.4f} %), by up to {largest} levels"
                  f"  {'ok' if alike else 'DIFFERENT'}")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
