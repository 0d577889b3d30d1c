#!/usr/bin/env python3
"""The loader screen, the clock and the frame-rate counter of a saver run.

Two runs of `terrava.scr /s` with ShowClock and ShowFPS set: a stored
800 x 600 with the 24-hour clock and 1024 x 768 with the 12-hour clock. The
1024 x 768 Xvfb screen has that one mode and refuses the other, so both runs
draw to the whole screen.

Loading lasts well under a second here, too short to catch reliably with
screenshots, so the run is watched through Wine's relay trace (see
loading_watch.py). When the first progress message has returned (its loader
screen drawn and swapped), the test stops the process (SIGSTOP), takes a
screenshot, which must show the loader screen (the sign's white centre and
ring, the logo in the bottom right corner, a dark top left corner where a
frame would show the counter), and lets it go on (SIGCONT). After the run
the first progress message must have swapped exactly one redraw and no
later one more than one (counted): later steps redraw the unchanged loader
screen only once a quarter of a second has passed since the last redraw.

Once frames are drawn, the counter's region (overlay units x 4..124,
y 558..598) and the clock's digits (x 525..761, y 2..42) must hold light
glyph pixels, and with the 12-hour clock so must the place of the am/pm
mark (x 765..789).

Screenshots are kept in the output folder (overlay_loader_WxH.png,
overlay_frame_WxH.png) for a person to look at. A key press ends each run.
Prints one line per run and "N passed, M failed" at the end.
"""

import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Failure, check  # noqa: E402
from loading_watch import RELAY_ENV, ProgressWatch, relay_of_loading_calls  # noqa: E402
from product_tables import known_settings, settings_key  # noqa: E402
from winedriver import WineSession, COMMAND_TIMEOUT  # noqa: E402

SETTINGS_KEY = settings_key()
RUNS = [(800, 600, False), (1024, 768, True)]  # stored width, height, 12-hour clock
SCREEN_SIZE = (1024, 768)  # the session's Xvfb screen: the drawable of every run
LOADER_TIMEOUT = 60   # seconds from launch to the first progress message
FRAME_TIMEOUT = 120   # seconds from the loader screen to a frame with the counter
EXIT_TIMEOUT = 30     # seconds for the saver to end after a key press
LIGHT = 120           # a channel above this counts as a light (glyph or picture) pixel


class Shot:
    """RGB pixels of the whole screen, grabbed as a binary PPM straight from
    ImageMagick's import."""

    def __init__(self, session):
        ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=session.env(),
                             capture_output=True, timeout=COMMAND_TIMEOUT, check=True).stdout
        magic, size, maximum, self.rgb = ppm.split(b"\n", 3)
        check(magic == b"P6" and maximum == b"255", "import did not return an 8-bit PPM")
        self.width, self.height = (int(v) for v in size.split())
        self.ppm = ppm

    def save_png(self, path):
        subprocess.run(["convert", "ppm:-", path], input=self.ppm, timeout=COMMAND_TIMEOUT, check=True)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]

    def light(self, x, y):
        return max(self.pixel(x, y)) > LIGHT

    def light_count(self, box):
        x0, y0, x1, y1 = box
        return sum(self.light(x, y) for y in range(y0, y1) for x in range(x0, x1))


class Window:
    """Converts overlay units (800 x 600, y upwards) to screen pixels of a
    window of width x height at the screen's top left corner."""

    def __init__(self, width, height):
        self.width, self.height = width, height

    def point(self, x, y):
        return int(x * self.width / 800), int((600 - y) * self.height / 600)

    def box(self, x0, y0, x1, y1):
        left, bottom = self.point(x0, y0)
        right, top = self.point(x1, y1)
        return left, top, right, bottom


def is_loader_screen(shot, window):
    sign_centre = shot.pixel(*window.point(400, 350))
    ring = [shot.light(*window.point(x, y)) for x, y in ((316, 350), (484, 350), (400, 266), (400, 434))]
    sign_quadrant_dark = not shot.light(*window.point(440, 390))
    logo = shot.light_count((window.width - 256, window.height - 128, window.width, window.height))
    top_left = shot.light_count((0, 0, 256, 128))
    return min(sign_centre) > 200 and all(ring) and sign_quadrant_dark and logo > 200 and top_left == 0


class OverlayTest:
    def __init__(self, args):
        self.session = WineSession(args.wine_dir)
        self.bin = os.path.abspath(args.bin)
        self.out = os.path.abspath(args.out)
        os.makedirs(self.out, exist_ok=True)
        self.passed = self.failed = 0

    def preset_registry(self, width, height, twelve_hour):
        values = {"ShowClock": 1, "ShowFPS": 1, "TimeFormat": int(twelve_hour), "UseDesktop": 0, "Width": width,
                  "Height": height, "Depth": 32, "EnableMusic": 0, "MouseExit": 0, "DefGamma": 1,
                  "VSync": 0, "Speed": 50}
        self.session.reg_set_dwords(SETTINGS_KEY, known_settings(values), self.out)
        check(self.session.reg_query(SETTINGS_KEY, "Width") == width, "registry preset did not take")

    def wait_for_frame(self, name, condition, deadline):
        """Grabs the screen until condition(shot) holds or the deadline
        passes; saves the matching grab (or the last one) as name."""
        shot, met = None, False
        while not met and time.time() < deadline:
            shot = Shot(self.session)
            met = condition(shot)
        if shot:
            shot.save_png(os.path.join(self.out, name))
        return met

    def check_loader(self, watch, window, name):
        check(watch.first_redraw_done.wait(LOADER_TIMEOUT), "no loading-progress message was traced")
        try:
            shot = Shot(self.session)
            shot.save_png(os.path.join(self.out, name))
        finally:
            watch.resume()
        check(is_loader_screen(shot, window), f"the screen after the first progress message is no loader ({name})")

    def check_frame(self, window, twelve_hour, name):
        counter = window.box(4, 558, 124, 598)
        clock = window.box(525, 2, 761, 42)
        mark = window.box(765, 2, 789, 42)  # right of the last digit's 40-unit quad
        shown = self.wait_for_frame(name, lambda s: s.light_count(counter) > 50 and not is_loader_screen(s, window),
                                    time.time() + FRAME_TIMEOUT)
        check(shown, "no drawn frame showed the frame-rate counter")
        time.sleep(2)  # the counter shows a measured rate after its first second
        shot = Shot(self.session)
        shot.save_png(os.path.join(self.out, name))
        check(shot.light_count(counter) > 50, f"counter region {counter} is empty")
        check(shot.light_count(clock) > 100, f"clock region {clock} is empty")
        # Only the mark's presence is checked here: where it would stand the
        # scene itself may be bright (the sun, the lit Earth), so its absence
        # in the 24-hour clock is left to the native clock tests.
        if twelve_hour:
            check(shot.light_count(mark) > 20, f"am/pm mark missing in {mark}")

    def run_size(self, width, height, twelve_hour):
        window = Window(*SCREEN_SIZE)
        self.preset_registry(width, height, twelve_hour)
        proc = self.session.launch(os.path.join(self.bin, "terrava.scr"), ["/s"], extra_env=RELAY_ENV)
        watch = ProgressWatch(proc)
        try:
            self.check_loader(watch, window, f"overlay_loader_{width}x{height}.png")
            self.check_frame(window, twelve_hour, f"overlay_frame_{width}x{height}.png")
        finally:
            watch.resume()
            self.session.key("space")
            if self.session.wait(proc, EXIT_TIMEOUT) is None:
                self.session.wineserver_wait()
            watch.reader.join(COMMAND_TIMEOUT)
        redraws = watch.swaps_per_message
        check(redraws and redraws[0] == 1 and all(n <= 1 for n in redraws), f"swaps per progress message: {redraws}")
        print(f"  {len(redraws)} progress messages, {sum(redraws)} loader redraws of one swap each")

    def run(self):
        with relay_of_loading_calls(self.session):
            for width, height, twelve_hour in RUNS:
                dial = "12-hour" if twelve_hour else "24-hour"
                name = f"loader screen, {dial} clock and counter at {width}x{height}"
                try:
                    self.run_size(width, height, twelve_hour)
                    self.passed += 1
                    print(f"PASS {name}")
                except Failure as e:
                    self.failed += 1
                    print(f"FAIL {name}: {e}")
                sys.stdout.flush()
        print(f"{self.passed} passed, {self.failed} failed")
        return 0 if self.failed == 0 else 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--wine-dir", required=True)
    parser.add_argument("--bin", required=True)
    parser.add_argument("--out", required=True)
    return OverlayTest(parser.parse_args()).run()


if __name__ == "__main__":
    sys.exit(main())
