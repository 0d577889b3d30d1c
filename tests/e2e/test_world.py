#!/usr/bin/env python3
"""terrava.scr /s shows the Earth from orbit.

The settings key asks for the 1024 x 768 mode of the Xvfb screen, the
fastest camera and no music, clock or counter. From the
launch the test takes screenshots until the first frame of the scene
replaces the loader screen (printing that time), then one screenshot every
SHOT_INTERVAL seconds of flight. The flight is random (the generator is
seeded from the clock after loading), so the checks are tolerant pixel
statistics over the series:

- every frame is a picture of space: most of its border is dark sky;
- in every frame something of the scene is drawn (the Earth's disc, lit or
  with city lights, stars, the sun), never a black or a uniform frame;
- in at least one frame the sunlit side shows: bright pixels, blue, white
  and green rather than red, covering a planet-sized part of the frame
  (between MIN_LIT and MAX_LIT of it);
- the run goes on until a key press ends it with exit code 0.

Screenshots are kept as world_*.png in the output folder for a person to look
at. Prints one line per check and a summary.
"""

import os
import subprocess
import sys
import time

from saver_harness import run
from winedriver import COMMAND_TIMEOUT

WIDTH, HEIGHT = 1024, 768
FIRST_FRAME_TIMEOUT = 180   # seconds from launch to the first scene frame
POLL = 0.5                  # seconds between screenshots while waiting for it
SHOTS = 8                   # frames compared
SHOT_INTERVAL = 4.0         # seconds of flight between them; one camera segment at Speed 100
BORDER = 24                 # pixels of the frame's edge counted as border
DARK = 60                   # a border pixel darker than this (channel sum / 3) is sky
MIN_DARK_BORDER = 0.6       # share of dark border pixels in every frame
LIT = 90                    # a pixel brighter than this (channel mean) is sunlit surface or cloud
MIN_LIT, MAX_LIT = 0.02, 0.75


def grab(h, name):
    """Screenshot of the window's area as (path, rgb bytes of WIDTH x HEIGHT)."""
    path = os.path.join(h.out, name)
    h.session.screenshot(path)
    rgb = subprocess.run(["convert", path, "-crop", f"{WIDTH}x{HEIGHT}+0+0", "+repage", "-depth", "8", "rgb:-"],
                         capture_output=True, timeout=COMMAND_TIMEOUT, check=True).stdout
    return path, rgb


def is_loader_screen(rgb):
    """The loader's emblem: white at the middle of the sign (400, 350 in
    the overlay units of a 4:3 frame, 600 to the height, y upwards) on a
    black screen."""
    x, y = WIDTH // 2, HEIGHT - 350 * HEIGHT // 600
    i = (y * WIDTH + x) * 3
    return min(rgb[i:i + 3]) > 200


class FrameStats:
    def __init__(self, rgb):
        self.dark_border = self._dark_border(rgb)
        lit = [0, 0, 0]
        self.lit = 0
        self.levels = set()
        for i in range(0, len(rgb), 3):
            r, g, b = rgb[i], rgb[i + 1], rgb[i + 2]
            self.levels.add((r + g + b) // 48)
            if r + g + b > 3 * LIT:
                self.lit += 1
                lit[0] += r
                lit[1] += g
                lit[2] += b
        self.lit_share = self.lit / (WIDTH * HEIGHT)
        self.lit_colour = [c / max(self.lit, 1) for c in lit]

    @staticmethod
    def _dark_border(rgb):
        dark = total = 0
        for y in range(HEIGHT):
            for x in range(WIDTH):
                if BORDER <= y < HEIGHT - BORDER and BORDER <= x < WIDTH - BORDER:
                    continue
                i = (y * WIDTH + x) * 3
                total += 1
                dark += rgb[i] + rgb[i + 1] + rgb[i + 2] < 3 * DARK
        return dark / total

    def sunlit_earth(self):
        r, g, b = self.lit_colour
        return MIN_LIT <= self.lit_share <= MAX_LIT and b >= r and g >= 0.8 * r


def wait_for_scene(h, launched):
    """Seconds from launch to the first scene frame, or None."""
    while time.monotonic() - launched < FIRST_FRAME_TIMEOUT:
        _, rgb = grab(h, "world_waiting.png")
        if not is_loader_screen(rgb) and max(rgb) > 40:
            return time.monotonic() - launched
        time.sleep(POLL)
    return None


def earth_from_orbit(h):
    h.configure(UseDesktop=0, Width=WIDTH, Height=HEIGHT, EnableMusic=0, ShowClock=0, ShowFPS=0, Speed=100)
    launched = time.monotonic()
    proc = h.start_saver()
    h.check(proc is not None, "the saver window appears")
    if proc is None:
        return
    first = wait_for_scene(h, launched)
    h.check(first is not None, f"the scene replaces the loader screen within {FIRST_FRAME_TIMEOUT} s")
    if first is None:
        h.stop(proc)
        return
    print(f"note first scene frame {first:.1f} s after launch", flush=True)
    stats = []
    for n in range(SHOTS):
        time.sleep(SHOT_INTERVAL)
        path, rgb = grab(h, f"world_{n}.png")
        s = FrameStats(rgb)
        stats.append(s)
        print(f"note {os.path.basename(path)}: dark border {s.dark_border:.2f}, lit {s.lit_share:.3f}, "
              f"lit colour {[round(c) for c in s.lit_colour]}, levels {len(s.levels)}", flush=True)
    h.check(all(s.dark_border >= MIN_DARK_BORDER for s in stats), "every frame's border is mostly dark sky")
    h.check(all(len(s.levels) >= 4 for s in stats), "every frame shows a drawn scene, not a flat colour")
    h.check(any(s.sunlit_earth() for s in stats),
            "some frame shows the sunlit Earth: a planet-sized bright area, blue, white and green")
    h.check(h.still_running(proc), "the flight goes on without input")
    h.session.key("Escape")
    h.check(h.exit_code(proc) == 0, "a key press ends the run with exit code 0")


if __name__ == "__main__":
    sys.exit(run([earth_from_orbit]))
