#!/usr/bin/env python3
"""terrava.scr /s on two monitors: Xvfb with two screens (1024 x 768 and
800 x 600) joined by Xinerama. The GL window covers the primary monitor in
the desktop mode and the other monitor gets one black "FakeMonitor" window
over its area. Then the Windows test of the saver run that records the
primary monitor second runs in the same session: the GL window still goes
to the primary monitor, whatever the adapter order.

What Wine 8 and Xvfb allow: Wine's RandR display handler sees Xvfb's one
RandR output only, so Wine is told not to use RandR (X11 Driver UseXRandR
= N) and takes the monitors from Xinerama. Xvfb places both Xinerama heads
at (0, 0), Wine lists the primary adapter first and reports no current
mode (0 x 0) for the second adapter, so the monitors' areas come from the
monitor list.

The session is restarted with two screens for this test and set back to
one screen and RandR afterwards (same prefix), so other tests are unaffected.
"""
import sys

from saver_harness import Harness, parse_args

SCREENS = "1024x768,800x600"
X11_DRIVER_KEY = r"HKCU\Software\Wine\X11 Driver"
PRIMARY_SECOND_TEST = "SaverRun.GlWindowGoesToThePrimaryMonitorWhateverTheOrder"


def monitor_rects(line):
    """['l t r b', ...] of a probe line 'N rect=l t r b rect=...'."""
    return [part.strip() for part in (line or "").split("rect=")[1:]]


def two_monitors(h):
    h.configure()  # factory defaults: the desktop mode
    displays = h.probe()
    monitors = monitor_rects(displays.get("monitors"))
    h.check(len(monitors) == 2, f"Wine presents two monitors ({displays.get('monitors')})")
    proc = h.start_saver()
    h.check(proc is not None, "the saver window appears")
    if proc is None or len(monitors) != 2:
        return
    windows = h.probe()
    main = windows.get("main", "")
    h.check(f"rect={monitors[0]} " in main, f"the GL window covers the primary monitor ({main})")
    blank = windows.get("blank", "")
    h.check(blank == f"1 rect={monitors[1]}", f"one black window over the other monitor ({blank}; {monitors[1]})")
    h.session.key("space")
    h.check(h.exit_code(proc) == 0, "a key press ends it with exit code 0")


def primary_recorded_second(h):
    out = h.output_of("app_win_tests.exe", [f"--gtest_filter={PRIMARY_SECOND_TEST}"], timeout=120)
    passed = "[  PASSED  ] 1 test" in out and "SKIPPED" not in out
    h.check(passed, "with the primary monitor recorded second, the GL window goes to it and the black "
            "window to the other" + ("" if passed else f":\n{out}"))


def main():
    h = Harness(parse_args())
    screens = h.session.state.get("screens", "1024x768")
    h.session.reg_add(X11_DRIVER_KEY, "UseXRandR", "REG_SZ", "N")
    h.session.start(SCREENS)
    try:
        for scenario in (two_monitors, primary_recorded_second):
            print(f"== {scenario.__name__}", flush=True)
            scenario(h)
    finally:
        h.session.run(["reg", "delete", X11_DRIVER_KEY, "/v", "UseXRandR", "/f"], timeout=60, echo=False)
        h.session.start(screens)
    return h.finish()


if __name__ == "__main__":
    sys.exit(main())
