#!/usr/bin/env python3
"""terrava.scr /s: the saver window and the input that ends the run.

A fresh settings key runs on the factory defaults (desktop mode); with
UseDesktop 0 and a size the display refuses (Xvfb has one mode) the window
covers the screen as it is. The window is of class "MyWindow", titled
"Terrava", top-most and visible; its frames (cleared to black, later the
scene in space) cover a white backdrop. A key press, a left click and a
right click each end the run with exit code 0; a middle click, a key
release and the wheel do not. (Alt+F4 ends it like any key:
test_start_stop_cycles.py presses it.)
"""
import os
import sys

from saver_harness import run

SCREEN = "0 0 1024 768"   # the session's one Xvfb screen


def statistic(h, image, area, name):
    """An ImageMagick statistic (mean, minima) of the area WxH+X+Y, 0..1."""
    out = h.session.x("convert", image, "-crop", area, "-format", f"%[fx:{name}]", "info:").stdout
    return float(out or b"-1")


def mean(h, image, area):
    return statistic(h, image, area, "mean")


def rect_of(line):
    return line.split("rect=")[1].split(" topmost")[0] if "rect=" in line else ""


def refused_size_and_key_press(h):
    h.configure(UseDesktop=0, Width=800, Height=600)
    backdrop = h.session.launch(h.program("window_probe.exe"), ["backdrop", "20"])
    backdrop.stdout.readline()
    proc = h.start_saver()
    h.check(proc is not None, "the saver window appears")
    if proc is None:
        return
    windows = h.probe()
    main = windows.get("main", "")
    h.check(main.startswith("1 title=Terrava "), f"a 'MyWindow' window titled Terrava exists ({main})")
    h.check(rect_of(main) == SCREEN, "the display refuses 800 x 600: it covers the screen as it is")
    h.check("topmost=1" in main and "visible=1" in main, "it is top-most and visible")
    h.check(windows.get("blank") == "0", "one monitor: no black window")
    shot = os.path.join(h.out, "saver_running.png")
    h.session.screenshot(shot)
    h.check(os.path.exists(shot), f"screenshot of the running saver: {shot}")
    h.check(mean(h, shot, "1024x768+0+0") < 0.5, "the window shows the saver's dark frames, not the backdrop")
    h.check(h.still_running(proc), "the run goes on without input")
    h.session.key("space")
    h.check(h.exit_code(proc) == 0, "a key press ends it with exit code 0")
    h.session.wait(backdrop, 30)


def desktop_mode_and_left_click(h):
    h.configure()  # factory defaults: UseDesktop is on
    proc = h.start_saver()
    h.check(proc is not None, "the saver window appears with the factory defaults")
    if proc is None:
        return
    main = h.probe().get("main", "")
    h.check(rect_of(main) == SCREEN, f"it covers the desktop mode ({rect_of(main)})")
    h.session.click(1)
    h.check(h.exit_code(proc) == 0, "a left click ends it with exit code 0")


def ignored_input_then_right_click(h):
    h.configure(UseDesktop=0, Width=640, Height=480)
    proc = h.start_saver("/t")
    h.check(proc is not None, "/t runs the saver too")
    if proc is None:
        return
    h.session.click(2)
    h.check(h.still_running(proc), "a middle click does not end it")
    h.session.key_up("a")
    h.check(h.still_running(proc), "a key release does not end it")
    h.session.click(4)
    h.check(h.still_running(proc), "the wheel does not end it")
    h.session.click(3)
    h.check(h.exit_code(proc) == 0, "a right click ends it with exit code 0")


if __name__ == "__main__":
    sys.exit(run([refused_size_and_key_press, desktop_mode_and_left_click, ignored_input_then_right_click]))
