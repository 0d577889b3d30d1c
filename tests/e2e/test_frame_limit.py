#!/usr/bin/env python3
"""The frame-rate limit of terrava.scr /s without VSync, seen in Wine's own
frame-rate trace (WINEDEBUG=+fps, one line a second from the GL swap).

With FrameLimit 10 the saver draws 9 to 11 frames a second. The run uses a
640 x 480 mode, so that a frame costs the software renderer well under the
tenth of a second the limit allows.
"""
import re
import statistics
import sys
import time

from saver_harness import WINDOW_TIMEOUT, run

FPS_LINE = re.compile(r"@ approx (\d+(?:\.\d+)?)fps")
RUN_SECONDS = 5


def frame_limit_ten(h):
    h.configure(UseDesktop=0, Width=640, Height=480, Depth=32, VSync=0, FrameLimit=10, EnableMusic=0)
    proc = h.session.launch(h.program("terrava.scr"), ["/s"], extra_env={"WINEDEBUG": "-all,+fps"})
    window = h.session.wait_for_window("^Terrava$", timeout=WINDOW_TIMEOUT)
    h.check(window is not None, "the saver window appears")
    if window is not None:
        time.sleep(RUN_SECONDS)
        h.session.key("space")
    code = h.exit_code(proc)
    h.check(code == 0, f"a key press ends it with exit code 0 (got {code})")
    trace = proc.stdout.read().decode("utf-8", "replace")
    rates = [float(m.group(1)) for m in FPS_LINE.finditer(trace)][1:]  # the first second holds the loading
    h.check(len(rates) >= 2, f"Wine reported the frame rate each second ({rates})")
    if rates:
        rate = statistics.median(rates)
        h.check(9.0 <= rate <= 11.0, f"FrameLimit 10 draws {rate:.1f} frames a second (9 to 11; each second {rates})")


if __name__ == "__main__":
    sys.exit(run([frame_limit_ten]))
