#!/usr/bin/env python3
"""Start-up of terrava.scr under Wine: from launch to the first frame of the
window (the loader screen) and to the first frame of the scene.

Runs `terrava.scr /s` several times at each size on a fresh Xvfb, with
Wine's timestamped traces of the buffer swaps and of the cursor
(WINEDEBUG=+timestamp,+wgl,+cursor). The first swap is the first loader
frame; the run puts the cursor at the window's centre once loading is
done, right before its first scene frame (the pointer rests in a corner
before each launch, so that this is a real move), so the first swap after
that is the first scene frame. Wine stamps its traces with the system's raw monotonic clock in
milliseconds, the clock this script reads at the launch. Prints the median
of each span over the runs, with the load average at the start. Wine has no
sound device here, so the saver starts no music; with --music it plays into
ALSA's null device, and the start includes loading the track.
"""
import argparse
import os
import re
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))
import winedriver  # noqa: E402
from peer_fps import load_average, saver_environment  # noqa: E402

TRACE = re.compile(r"^(\d+\.\d+):[0-9a-f]+:trace:(?:wgl|cursor):(glxdrv_wglSwapBuffers|X11DRV_SetCursorPos)")
RUN_SECONDS = 6.0  # long enough for loading and a few scene frames at either size


def spans(log_path, launched):
    """(launch -> first loader frame, first loader frame -> first scene frame), seconds, or None."""
    first_swap = centred = first_scene = None
    with open(log_path, errors="replace") as f:
        for line in f:
            m = TRACE.match(line)
            if not m:
                continue
            when, what = float(m.group(1)), m.group(2)
            if what == "X11DRV_SetCursorPos":
                centred = centred or when
            elif first_swap is None:
                first_swap = when
            elif centred is not None:
                first_scene = when
                break
    if first_swap is None or first_scene is None:
        return None
    return first_swap - launched, first_scene - first_swap


def run_once(session, scr, size, out_dir, index, music):
    extra = saver_environment(session, size, out_dir, music, "+timestamp,+wgl,+cursor")
    log_path = os.path.join(out_dir, f"startup-{size}-{index}.log")
    session.move(1, 1)
    with open(log_path, "wb") as log:
        launched = time.clock_gettime(time.CLOCK_MONOTONIC_RAW)
        proc = subprocess.Popen(["wine", scr, "/s"], env=session.env(extra),
                                start_new_session=True, stdout=log, stderr=subprocess.STDOUT)
        time.sleep(RUN_SECONDS)
        session.key("space")
        session.wait(proc, 15)
    return spans(log_path, launched)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bin", required=True, help="folder of terrava.scr (build/windows/bin)")
    ap.add_argument("--dir", required=True, help="scratch folder for the Wine prefix and logs")
    ap.add_argument("--sizes", default="800x600,1920x1080")
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--music", action="store_true", help="play the music (into ALSA's null device)")
    args = ap.parse_args()
    os.makedirs(args.dir, exist_ok=True)
    scr = os.path.join(os.path.abspath(args.bin), "terrava.scr")
    session = winedriver.WineSession(os.path.join(args.dir, "wine"))
    print(f"{'size':>10} {'load':>5} {'launch->loader s':>16} {'loader->scene s':>15} {'launch->scene s':>15}")
    ok = True
    for size in args.sizes.split(","):
        session.start(size)
        try:
            load = load_average()
            results = [r for r in (run_once(session, scr, size, args.dir, i, args.music) for i in range(args.runs)) if r]
        finally:
            session.stop()
        if not results:
            print(f"{size:>10} {load:>5} no complete run")
            ok = False
            continue
        to_loader = statistics.median(r[0] for r in results)
        to_scene = statistics.median(r[1] for r in results)
        whole = statistics.median(r[0] + r[1] for r in results)
        print(f"{size:>10} {load:>5} {to_loader:16.2f} {to_scene:15.2f} {whole:15.2f}   ({len(results)} runs)")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
