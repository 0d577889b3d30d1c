#!/usr/bin/env python3
"""terrava.scr /p: the preview inside a host window, and /p without one.

preview_host.exe plays the settings page: a 152 x 112 host window into
which it starts "terrava.scr /p HWND". The preview window must be its
child of class "QelvexPreview", titled "Qelvex" and covering the host's
client area, and the program must end with exit code 0 when the host goes
away. Wine 8 does not show what a child window of another process paints
(its device context has no drawable), so the pixels are compared here only
when the area shows anything but the host's white; the Windows test
PreviewWindow.PaintsTheBitmapScaledToTheAreaBetweenBlackBars compares them
in-process.

/p with no number has no parent: the message "Cannot creat window!" with
the caption "ERROR" appears, and the program ends with 0 once it is closed.
"""
import os
import sys
import time

from saver_harness import run

HOST_SECONDS = 6


def preview_in_host(h):
    scr = h.session.to_windows_path(h.program("terrava.scr"))
    host = h.session.launch(h.program("preview_host.exe"), [scr, str(HOST_SECONDS)])
    area = host.stdout.readline().decode().split()   # "area X Y W H"
    h.check(area[:1] == ["area"] and area[3:] == ["152", "112"], f"the host's area is 152 x 112 ({area})")
    time.sleep(HOST_SECONDS / 2)
    shot = os.path.join(h.out, "preview.png")
    h.session.screenshot(shot)
    code = h.session.wait(host, HOST_SECONDS + 20)
    lines = host.stdout.read().decode().splitlines()
    h.check("child 1 Qelvex 152 112" in lines, f"a 'QelvexPreview' child titled Qelvex fills the area ({lines})")
    h.check(code == 0, f"the preview ends with exit code 0 when the host closes (exit {code})")
    if len(area) == 5:
        compare_pixels(h, shot, int(area[1]), int(area[2]))


def compare_pixels(h, shot, left, top):
    """The area against the preview bitmap fitted into it: 151 x 112 and a
    black column at the right."""
    crop = os.path.join(h.out, "preview-area.png")
    h.session.x("convert", shot, "-crop", f"152x112+{left}+{top}", "+repage", crop)
    white = h.session.x("convert", crop, "-format", "%[fx:minima]", "info:").stdout.strip()
    if white in (b"1", b"1.0"):
        print("note: the area shows only the host's white: Wine did not show the other process's painting")
        return
    bitmap = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "preview.bmp")
    expected = os.path.join(h.out, "preview-expected.png")
    h.session.x("convert", bitmap, "-resize", "151x112!", "-background", "black", "-extent", "152x112", expected)
    # Different resamplers: near, not equal (mean difference, 0..1).
    result = h.session.x("convert", crop, expected, "-compose", "difference", "-composite", "-format", "%[fx:mean]",
                         "info:")
    error = float(result.stdout.strip() or 1)
    h.check(error < 0.05, f"the area shows the bitmap fitted to it (mean difference {error:.3f})")


def preview_without_window(h):
    proc = h.session.launch(h.program("terrava.scr"), ["/p"])
    box = h.session.wait_for_window("^ERROR$", timeout=30)
    h.check(box is not None, "a message box titled ERROR appears")
    if box is None:
        h.session.wait(proc, 1)
        return
    message = h.probe("message").get("message", "")
    h.check(message == "1 caption=ERROR text=Cannot creat window!", f"it says 'Cannot creat window!' ({message})")
    h.session.x("xdotool", "windowfocus", "--sync", box)
    h.session.key("Return")
    code = h.session.wait(proc, 10)
    h.check(code == 0, f"closing it ends the program with exit code 0 (exit {code})")


if __name__ == "__main__":
    sys.exit(run([preview_in_host, preview_without_window]))
