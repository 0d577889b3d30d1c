#!/usr/bin/env python3
"""The native program in a window that is resized, then destroyed under it.

xscreensaver's preview pane hands the display mode a window of its own and
resizes it at will; when the daemon or the pane ends the program the window
goes away with it. The test makes that window itself (through libX11), runs
`terrava -window-id ID -clock 24 -fps` in it and:

- resizes it 4:3 -> 16:9 -> 4:3, each larger than the last in one direction
  (480x360, 640x360, 640x480). In each size a screenshot must show the clock
  and the frame-rate counter where a 600-unit-high overlay with square units
  puts them: the clock's digits as high as the window's height gives them,
  their left edge as far from the window's right edge, their foot at its
  bottom; the counter's digits at the top left. A viewport that kept the old
  size leaves them short of an edge; a projection that kept the old shape
  stretches the clock sideways;
- destroys the window: the program ends by itself within END_LIMIT seconds
  with exit code 0 and no X error line on stderr.

Usage: test_x11_resize.py TERRAVA OUT_DIR. Screenshots stay in OUT_DIR.
"""

import ctypes
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from test_x11_program import check, launch, outcome, start_xvfb, stop  # noqa: E402

SIZES = [(480, 360), (640, 360), (640, 480)]  # pixels: 4:3, 16:9, 4:3
FIRST_FRAME_LIMIT = 20  # seconds from the start until the overlay shows
SIZE_LIMIT = 12         # seconds per size of screenshots until one shows the overlay in place: the
                        # flight is random, and a bright sky band or cloud behind a glyph hides its outline
                        # until the view moves on
SHOT_INTERVAL = 0.7     # seconds between them; the first after a resize too
END_LIMIT = 2.0         # seconds from destroying the window until the program has ended
COMMAND_TIMEOUT = 30    # seconds for any helper command
INK = 60                # smallest channel above this is glyph outline (or a star, the lit Earth)

# Where the ink of the glyphs lies, in overlay units (600 high, square), as
# (low, high) bounds: measured on frames drawn at 800x600 and 640x360, with
# room for the other digits' shapes.
CLOCK_LEFT_FROM_RIGHT = (250, 280)  # units from the right edge to the first digit's ink
CLOCK_TOP = (30, 39)                # units from the bottom to the top of the digits' ink
CLOCK_FOOT = (8, 16)                # units from the bottom to their foot
COUNTER_TOP = (6, 14)               # units from the top to the counter's ink
GLYPH_HEIGHT = (17, 40)             # units: a digit's outline, up to its cell
GLYPH_WIDTH = 40                    # units: a glyph's cell


class HostWindow:
    """A plain window on the display, made, resized and destroyed through
    libX11 the way a host does it."""

    def __init__(self, display, width, height):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        for name in ("XDefaultRootWindow", "XCreateSimpleWindow"):
            getattr(self.x, name).restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                               ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong,
                                               ctypes.c_ulong]
        for name in ("XMapWindow", "XDestroyWindow"):
            getattr(self.x, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x.XResizeWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint, ctypes.c_uint]
        self.x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(display.encode())
        root = self.x.XDefaultRootWindow(self.display)
        self.id = self.x.XCreateSimpleWindow(self.display, root, 0, 0, width, height, 0, 0, 0)
        self.x.XMapWindow(self.display, self.id)
        self.x.XSync(self.display, 0)

    def resize(self, width, height):
        self.x.XResizeWindow(self.display, self.id, width, height)
        self.x.XSync(self.display, 0)

    def destroy(self):
        self.x.XDestroyWindow(self.display, self.id)
        self.x.XSync(self.display, 0)

    def close(self):
        self.x.XCloseDisplay(self.display)


def screenshot(display, window, path):
    """(width, height, rgb bytes) of the window; saved as path too."""
    subprocess.run(["import", "-display", display, "-window", hex(window), path], timeout=COMMAND_TIMEOUT,
                   check=True)
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, timeout=COMMAND_TIMEOUT,
                         check=True).stdout
    _, size, _, rgb = ppm.split(b"\n", 3)
    width, height = (int(v) for v in size.split())
    return width, height, rgb


def glyph_box(shot, box, scale):
    """(left, top, right, bottom, count) of the glyphs' ink in box: the
    connected ink shapes as high as a digit's outline and no wider than a
    glyph (stars are smaller; the lit Earth is larger); None without any."""
    width, _, rgb = shot
    x0, y0, x1, y1 = box
    ink = {(x, y) for y in range(y0, y1) for x in range(x0, x1)
           if min(rgb[3 * (y * width + x):3 * (y * width + x) + 3]) > INK}
    found = []
    while ink:
        stack = [ink.pop()]
        shape = list(stack)
        while stack:
            x, y = stack.pop()
            # Diagonal neighbours too: at small sizes a digit's thin outline
            # holds together only through its corners.
            for n in ((x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                if n in ink:
                    ink.remove(n)
                    stack.append(n)
                    shape.append(n)
        xs, ys = [p[0] for p in shape], [p[1] for p in shape]
        if GLYPH_HEIGHT[0] * scale <= max(ys) - min(ys) + 1 <= GLYPH_HEIGHT[1] * scale and \
                max(xs) - min(xs) + 1 <= GLYPH_WIDTH * scale:
            found.append((min(xs), min(ys), max(xs), max(ys)))
    if not found:
        return None
    return (min(f[0] for f in found), min(f[1] for f in found), max(f[2] for f in found), max(f[3] for f in found),
            len(found))


def within(value, bounds, scale):
    """value (pixels) lies within bounds (units) at scale pixels per unit, give or take a pixel."""
    return bounds[0] * scale - 1 <= value <= bounds[1] * scale + 1


def overlay_in_place(shot):
    """(True when the clock and the counter lie where the overlay puts them, the measurements)."""
    width, height, _ = shot
    scale = height / 600
    clock = glyph_box(shot, (width - int(300 * scale), height - int(50 * scale), width, height), scale)
    counter = glyph_box(shot, (0, 0, int(130 * scale), int(50 * scale)), scale)
    if clock is None or counter is None:
        return False, f"clock ink {clock}, counter ink {counter}"
    placed = (clock[4] >= 5 and within(width - clock[0], CLOCK_LEFT_FROM_RIGHT, scale) and within(height - clock[1], CLOCK_TOP, scale)
              and within(height - clock[3], CLOCK_FOOT, scale) and within(counter[1], COUNTER_TOP, scale))
    units = lambda v: round(v / scale)  # noqa: E731
    return placed, (f"clock ink {units(width - clock[0])} units from the right, {units(height - clock[3])}.."
                    f"{units(height - clock[1])} up; counter ink {units(counter[1])} down")


def follows_sizes(display, host, out):
    for width, height in SIZES:
        host.resize(width, height)
        placed, note = False, "no screenshot"
        deadline = time.monotonic() + SIZE_LIMIT
        while time.monotonic() < deadline:
            time.sleep(SHOT_INTERVAL)
            shot = screenshot(display, host.id, os.path.join(out, f"x11_resize_{width}x{height}.png"))
            placed, note = overlay_in_place(shot)
            if placed and shot[:2] == (width, height):
                break
        print(f"note {width}x{height}: {note}", flush=True)
        check(placed, f"at {width}x{height} the clock and the counter lie where the window's edges put them")


def main():
    terrava, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    xvfb, display = start_xvfb()
    host = HostWindow(display, *SIZES[0])
    proc = launch(terrava, display, ["-window-id", hex(host.id), "-clock", "24", "-fps", "-speed", "100",
                                     "-no-music"])
    try:
        deadline = time.monotonic() + FIRST_FRAME_LIMIT
        while time.monotonic() < deadline and proc.poll() is None:
            shot = screenshot(display, host.id, os.path.join(out, "x11_resize_first.png"))
            if overlay_in_place(shot)[0]:
                break
            time.sleep(SHOT_INTERVAL)
        follows_sizes(display, host, out)
        host.destroy()
        try:
            code = proc.wait(timeout=END_LIMIT)
        except subprocess.TimeoutExpired:
            code, _ = stop(proc, signal.SIGTERM)
        err = proc.communicate()[1]
        print(f"note stderr: {err.strip()}", flush=True)
        check(code == 0, f"destroying the window ends the program within {END_LIMIT} s with exit code 0")
        check("X error" not in err, "the window going away prints no X error")
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()
        host.close()
        xvfb.terminate()
        xvfb.wait()
    return outcome()


if __name__ == "__main__":
    sys.exit(main())
