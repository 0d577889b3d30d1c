#!/usr/bin/env python3
"""terrava.scr /s on a 1920 x 1080 screen: the Earth is round.

The session is restarted with one 1920 x 1080 screen for this test (same
prefix) and set back to its screen afterwards, so other tests are
unaffected. The saver runs in the desktop's mode with the fastest camera and
no clock, counter or music.

The random flight shows the Earth's night side as often as its day side,
and the night side's limb hardly stands out from the sky. So the saver runs
as a copy whose data archive holds the shipped scene with the Earth's
surface drawn unlit, at full brightness everywhere, and without the sky
picture and the shells above the surface (lights, clouds, haze, glow: lit by
the sun, they would make the outline lopsided); the camera, projection and
drawing are the product's own. The test takes screenshots until one shows
the disc near the frame's centre (earth_outline; a sphere far off the view's
axis is drawn stretched by any true perspective), for at most SEARCH
seconds; the outline's width / height must be within 3 % of 1 (a 4:3
picture stretched over the screen measures 1.33). The measured screenshot
is kept as round_earth.png in the output folder for a person to look at.
Needs TERRAVA_TOOL, the native terrava-tool, to pack the archive.
"""
import os
import re
import shutil
import subprocess
import sys
import time

import earth_outline
from product_tables import SOURCE_DIR
from saver_harness import Harness, parse_args, resource_copy

SCREEN = "1920x1080"
MEASURED = (960, 540)   # the screenshot is measured at half size
SEARCH = 15             # seconds of flight searched for a measurable frame
MAX_OFFSET = 0.1        # frame heights between the disc's centre and the frame's
TOLERANCE = 0.03        # of the width / height
UNLIT_LAYERS = ("earth", "land")
HIDDEN_BLOCKS = r"sky|lights|clouds\d*|haze\d*|glow|rim|mask"


def bare_earth_saver(h):
    """Path of a copy of terrava.scr holding the bare, unlit Earth scene;
    None when it could not be made."""
    scene = os.path.join(h.out, "bare_earth")
    shutil.rmtree(scene, ignore_errors=True)
    shutil.copytree(os.path.join(SOURCE_DIR, "resources", "data"), scene)
    world = os.path.join(scene, "world.txt")
    with open(world, newline="") as f:
        text = f.read()
    text = re.sub(rf"^sphere(\r?\n)begin ({HIDDEN_BLOCKS})\b", r"//sphere\1begin \2", text, flags=re.M)
    text = re.sub(rf"^begin ({'|'.join(UNLIT_LAYERS)})(\r?\n)", r"begin \1\2light\2", text, flags=re.M)
    with open(world, "w", newline="") as f:
        f.write(text)
    archive = scene + ".rar"
    subprocess.run([os.environ["TERRAVA_TOOL"], "archive", "pack", "--method", "stored", scene, archive],
                   check=True, capture_output=True, timeout=120)
    copy = os.path.join(h.out, "terrava_bare_earth.scr")
    return copy if resource_copy(h.session, h.bin, copy, "kDataArchiveResource", archive) else None


def measurable_frame(h):
    """The Outline of the first measurable screenshot, or None; prints why
    each frame before it could not be measured."""
    path = os.path.join(h.out, "round_earth.png")
    began = time.monotonic()
    while time.monotonic() - began < SEARCH:
        h.session.screenshot(path)
        outline, why = earth_outline.measure(path, *MEASURED)
        if outline and outline.offset > MAX_OFFSET:
            outline, why = None, f"its centre is {outline.offset:.2f} frame heights off the frame's"
        if outline:
            print(f"note measured the frame at {time.monotonic() - began:.1f} s: {path}", flush=True)
            return outline
        print(f"note frame at {time.monotonic() - began:.1f} s not measurable: {why}", flush=True)
    return None


def round_at_1920x1080(h, saver):
    h.configure(UseDesktop=1, Speed=100, EnableMusic=0, ShowClock=0, ShowFPS=0, MouseExit=0)
    proc = h.start_saver(program=saver)
    h.check(proc is not None, "the saver window appears")
    if proc is None:
        return
    outline = measurable_frame(h)
    h.check(outline is not None, f"some frame within {SEARCH} s shows the Earth near the centre")
    if outline:
        h.check(abs(outline.ratio - 1) <= TOLERANCE,
                f"the Earth is round: width / height {outline.ratio:.3f} (1 +- {TOLERANCE}; "
                f"{outline.diameter:.0f} px high at half size, {outline.limb_points} limb points)")
    h.session.key("Escape")
    h.check(h.exit_code(proc) == 0, "a key press ends the run with exit code 0")


def main():
    h = Harness(parse_args())
    saver = bare_earth_saver(h)
    h.check(saver is not None, "resource_swap makes the copy with the bare Earth scene")
    screens = h.session.state.get("screens", "1024x768")
    if saver:
        h.session.start(SCREEN)
        try:
            print("== round_at_1920x1080", flush=True)
            round_at_1920x1080(h, saver)
        finally:
            h.session.start(screens)
    return h.finish()


if __name__ == "__main__":
    sys.exit(main())
