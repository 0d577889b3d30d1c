#!/usr/bin/env python3
"""terrava.scr /s on two monitors: Xvfb with two screens (1024 x 768 and
800 x 600) joined by Xinerama. The GL window covers the first monitor in
the desktop mode and the second adapter gets one black "FakeMonitor"
window over its bounds.

What Wine 8 and Xvfb allow: Wine's RandR display handler sees Xvfb's one
RandR output only, so Wine is told not to use RandR (X11 Driver UseXRandR
= N) and takes the monitors from Xinerama. Xvfb places both Xinerama heads
at (0, 0), and Wine reports no current mode (0 x 0) for the second adapter,
so the black window is expected over the bounds that the second adapter
reports, whatever they are; the count and the class are what is checked.

The session is restarted with two screens for this test and set back to
one screen and RandR afterwards (same prefix), so other tests are unaffected.
"""
import re
import sys

from saver_harness import Harness, parse_args

SCREENS = "1024x768,800x600"
X11_DRIVER_KEY = r"HKCU\Software\Wine\X11 Driver"


def adapter_rect(line):
    """'l t r b' of an adapter line '... mode=1 W H at X Y'."""
    m = re.search(r"mode=1 (\d+) (\d+) at (-?\d+) (-?\d+)", line or "")
    if not m:
        return None
    w, h, x, y = (int(v) for v in m.groups())
    return f"{x} {y} {x + w} {y + h}"


def two_monitors(h):
    h.configure()  # factory defaults: the desktop mode
    displays = h.probe()
    h.check(displays.get("monitors", "").startswith("2 "), f"Wine presents two monitors ({displays.get('monitors')})")
    proc = h.start_saver()
    h.check(proc is not None, "the saver window appears")
    if proc is None:
        return
    windows = h.probe()
    main = windows.get("main", "")
    h.check("rect=0 0 1024 768 " in main, f"the GL window covers the first monitor ({main})")
    blank = windows.get("blank", "")
    second = adapter_rect(displays.get("adapter1"))
    h.check(blank == f"1 rect={second}", f"one black window over the second adapter's bounds ({blank}; {second})")
    h.session.key("space")
    h.check(h.exit_code(proc) == 0, "a key press ends it with exit code 0")


def main():
    h = Harness(parse_args())
    screens = h.session.state.get("screens", "1024x768")
    h.session.reg_add(X11_DRIVER_KEY, "UseXRandR", "REG_SZ", "N")
    h.session.start(SCREENS)
    try:
        print("== two_monitors", flush=True)
        two_monitors(h)
    finally:
        h.session.run(["reg", "delete", X11_DRIVER_KEY, "/v", "UseXRandR", "/f"], timeout=60, echo=False)
        h.session.start(screens)
    return h.finish()


if __name__ == "__main__":
    sys.exit(main())
