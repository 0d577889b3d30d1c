#!/usr/bin/env python3
"""The frame-rate limit of terrava.scr /s without VSync, seen in Wine's own
frame-rate trace (WINEDEBUG=+fps, a line every second or so from the GL
swap).

With FrameLimit 10 the saver draws 9 to 11 frames a second: no second of
the run goes above 11, and its best second reaches 9 (a second on a busy
machine may lose a frame or two to other work; a pacer that waited a whole
period after each frame instead of between frame starts would stay near 6 in
every second). The run uses a 640 x 480 mode, so that a frame costs the
software renderer well under the tenth of a second the limit allows. A run
without limit first measures what the machine can draw now: when that is
under 12 frames a second (a machine busy with other work), the limited run's
best second must still reach 85 % of it.
"""
import re
import statistics
import sys
import time

from saver_harness import WINDOW_TIMEOUT, run

FPS_LINE = re.compile(r"@ approx (\d+(?:\.\d+)?)fps")
RUN_SECONDS = 5


def frame_rates(h, limit):
    """Frames a second of a run with this FrameLimit, one entry per second
    after loading (empty when the trace holds none)."""
    h.configure(UseDesktop=0, Width=640, Height=480, Depth=32, VSync=0, FrameLimit=limit, EnableMusic=0)
    proc = h.session.launch(h.program("terrava.scr"), ["/s"], extra_env={"WINEDEBUG": "-all,+fps"})
    window = h.session.wait_for_window("^Terrava$", timeout=WINDOW_TIMEOUT)
    h.check(window is not None, f"FrameLimit {limit}: the saver window appears")
    if window is not None:
        time.sleep(RUN_SECONDS)
        h.session.key("space")
    code = h.exit_code(proc)
    h.check(code == 0, f"FrameLimit {limit}: a key press ends it with exit code 0 (got {code})")
    trace = proc.stdout.read().decode("utf-8", "replace")
    rates = [float(m.group(1)) for m in FPS_LINE.finditer(trace)][1:]  # the first holds the loading
    h.check(len(rates) >= 2, f"FrameLimit {limit}: Wine reported the frame rate each second ({rates})")
    return rates


def frame_limit_ten(h):
    free = frame_rates(h, 0)
    limited = frame_rates(h, 10)
    if not free or not limited:
        return
    free_median = statistics.median(free)
    lowest = 9.0 if free_median >= 12.0 else 0.85 * free_median
    h.check(max(limited) <= 11.0, f"FrameLimit 10 draws at most 11 frames in every second ({limited})")
    h.check(max(limited) >= lowest, f"FrameLimit 10 reaches {lowest:.1f} frames in its best second "
            f"({limited}; without limit {free_median:.1f})")


if __name__ == "__main__":
    sys.exit(run([frame_limit_ten]))
