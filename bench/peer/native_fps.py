#!/usr/bin/env python3
"""Frame rate of the native terrava program against glplanet, side by side.

For each screen size, on a fresh Xvfb of that size (Mesa's llvmpipe for
both): glplanet's globe (peer_fps.GLPLANET_COMMAND), then terrava -root
-frame-limit 0 -no-music, each counted at its buffer swaps by the
swap_counter.c shim over the same span after the same warm-up. Prints each
program's frames per second, the ratio terrava / glplanet and the load
average at the start of each run.
"""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from peer_fps import build_shim, load_average, measure_glplanet, measure_swaps, parse_arguments  # noqa: E402


class Xvfb:
    """An Xvfb of one size on a free display, with the environment to reach it."""

    def __init__(self, size):
        read, write = os.pipe()
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", size + "x24", "-ac",
                                      "-nolisten", "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            self.display = ":" + f.readline().strip()

    def env(self, extra):
        return dict(os.environ, DISPLAY=self.display, **extra)

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


def main():
    args = parse_arguments("--terrava", "the native program (build/tool/bin/terrava)",
                           "scratch folder for the shim and the counts")
    shim = build_shim(args.dir)
    command = [os.path.abspath(args.terrava), "-root", "-frame-limit", "0", "-no-music"]
    rows = []
    for size in args.sizes.split(","):
        server = Xvfb(size)
        try:
            load_peer = load_average()
            peer = measure_glplanet(server, shim, args.dir, args.warmup, args.seconds)
            load_native = load_average()
            fps = measure_swaps(server, shim, args.dir, command, args.warmup, args.seconds)
        finally:
            server.stop()
        rows.append((size, peer, load_peer, fps, load_native))
    print(f"{'size':>10} {'glplanet fps':>12} {'load':>5} {'terrava fps':>12} {'load':>5} {'ratio':>6}")
    for size, peer, load_peer, fps, load_native in rows:
        ratio = f"{fps / peer:6.2f}" if peer and fps else "     -"
        print(f"{size:>10} {peer or 0:12.1f} {load_peer:>5} {fps or 0:12.1f} {load_native:>5} {ratio}")


if __name__ == "__main__":
    main()
