#!/usr/bin/env python3
"""terrava.scr with hostile values in its settings key.

Every case replaces the settings key with values of one kind: none at all,
all zero, out of range (Width 0, 1 and 100000, Volume 500, Speed and FrameLimit
4294967295, Gamma -1, Depth 7), text (REG_SZ) and two-byte binary (REG_BINARY) where a
DWORD belongs. For each, the saver starts, draws, ends on a key press with
exit code 0 and leaves the key untouched; then the configuration dialog
opens, OK saves and the program ends with exit code 0, leaving every
value as a DWORD. Loading holds stored values to the dialog's ranges; only
the types of what OK saves are checked here.

The installer's record of its folder (InstallLocation of the Uninstall
entry), where the dialog looks for the user guide, is driven with values
that name no guide: the dialog opens with Visit... disabled and Cancel
ends it.

A stored size larger than the screen, or below 640 x 480, gives a window
that covers the screen, and its frames show the world and the clock
(regressions: a 100000 x 100000 window made every frame take minutes under
a software renderer, so the run never read the key that ends it; a 0 x 0
window drew nothing; Speed 4294967295 flew the camera out of the world).

Windows gives key presses to the foreground window, which the saver makes
its own; X without a window manager gives them to the window under the
pointer, which a 1 x 1 window at the corner never is. The test therefore
focuses the saver window (as Windows would) before it presses the key.
"""
import os
import sys

from product_tables import dialog_ids, setting_value_names
from saver_harness import SETTINGS_KEY, run

CAPTION = "Terrava Configuration"
OK_BUTTON, CANCEL_BUTTON = 1, 2
VISIT = dialog_ids()["IDC_VISIT"]
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Terrava"
SAVED_VALUES = setting_value_names()   # every value OK writes
SCREEN = "0 0 1024 768"   # the session's one Xvfb screen
SIZED = ("width 0", "width 1", "huge and negative")   # cases whose stored size the run must not use
CLOCK_AREA = "340x52+672+716"   # the clock's digits on the 1024 x 768 screen (525..789 of 800 units)
SCENE_AREA = "1024x600+0+0"     # above the clock


def dwords(values):
    return {name: f"dword:{value & 0xFFFFFFFF:08x}" for name, value in values.items()}


# name, {value: data as regedit writes it}
CASES = [
    ("missing values", {}),
    ("all zero", dwords({name: 0 for name in SAVED_VALUES})),
    ("width 0", dwords({"UseDesktop": 0, "Width": 0, "Height": 0, "Depth": 32, "ShowClock": 1})),
    ("width 1", dwords({"UseDesktop": 0, "Width": 1, "Height": 1, "Depth": 32, "ShowClock": 1})),
    ("huge and negative", dwords({"UseDesktop": 0, "Width": 100000, "Height": 100000, "Depth": 7,
                                  "Volume": 500, "Speed": 4294967295, "Gamma": -1, "DefGamma": 0,
                                  "EnableMusic": 1, "ShowClock": 1, "ShowFPS": 1, "FrameLimit": 4294967295})),
    ("REG_SZ", {name: '"12"' for name in SAVED_VALUES}),
    ("REG_BINARY of 2 bytes", {name: "hex:01,00" for name in SAVED_VALUES}),
]


# InstallLocation data, as regedit writes it, that names no user guide.
INSTALL_LOCATIONS = [
    ("a DWORD", "dword:00000001"),
    ("text without its terminator", "hex(1):43,00,3a,00,5c"),
    ("a 40000-character path", '"C:\\\\' + "a" * 40000 + '"'),
    ("a folder whose guide is a folder", '"C:\\\\hostile-guide"'),
]


def write_key(h, values, key=SETTINGS_KEY):
    key = key.replace("HKCU", "HKEY_CURRENT_USER").replace("HKLM", "HKEY_LOCAL_MACHINE")
    lines = ["REGEDIT4", "", f"[-{key}]", "", f"[{key}]"] + [f'"{n}"={d}' for n, d in values.items()]
    path = os.path.join(h.out, "hostile.reg")
    with open(path, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    h.session.run(["regedit", "/s", h.session.to_windows_path(path)], timeout=60, echo=False)


def key_lines(h):
    proc = h.session.launch("reg", ["query", SETTINGS_KEY])
    h.session.wait(proc, 60)
    return [line.split() for line in proc.stdout.read().decode("utf-8", "replace").splitlines() if line.strip()]


def saver_runs(h, name):
    before = key_lines(h)
    proc = h.start_saver()
    h.check(proc is not None, f"{name}: the saver window appears")
    if proc is None:
        return
    h.check(h.still_running(proc), f"{name}: the saver keeps running")
    if name in SIZED:
        rect = h.probe().get("main", "").split("rect=")[-1].split(" topmost")[0]
        h.check(rect == SCREEN, f"{name}: the window covers the screen, no more and no less ({rect})")
        shows_scene_and_clock(h, name)
    window = h.session.find_windows("^Terrava$")
    if window:
        h.session.x("xdotool", "windowfocus", "--sync", window[0])
    h.session.key("space")
    h.check(h.exit_code(proc) == 0, f"{name}: a key ends it with exit code 0")
    h.check(key_lines(h) == before, f"{name}: the saver run leaves the key as it was")


def lit_share(h, image, area):
    """Share of the area's pixels brighter than a quarter of full scale."""
    out = h.session.x("convert", image, "-crop", area, "-colorspace", "gray", "-threshold", "25%",
                      "-format", "%[fx:mean]", "info:").stdout
    return float(out or b"0")


def shows_scene_and_clock(h, name):
    """The frame shows the world (the planet, sky and stars, not only black)
    and the clock in its place."""
    shot = os.path.join(h.out, f"hostile_{name.replace(' ', '_')}.png")
    h.session.screenshot(shot)
    scene, clock = lit_share(h, shot, SCENE_AREA), lit_share(h, shot, CLOCK_AREA)
    h.check(scene > 0.002, f"{name}: the frame shows the world ({scene:.4f} of it lit; {shot})")
    h.check(clock > 0.02, f"{name}: the clock shows at the bottom right ({clock:.3f} of its area lit)")


def dialog_saves(h, name):
    proc = h.session.launch(h.program("terrava.scr"), ["/c"])
    probe = h.session.launch(h.program("config_probe.exe"), ["find", CAPTION, "click", str(OK_BUTTON), "wait-closed"])
    probe_code = h.session.wait(probe, 120)
    h.check(probe_code == 0, f"{name}: the dialog opens and OK closes it (probe exit {probe_code})")
    code = h.session.wait(proc, 30)
    h.check(code == 0, f"{name}: terrava.scr /c ends with exit code 0 (got {code})")
    saved = {parts[0]: int(parts[2], 16) for parts in key_lines(h) if len(parts) == 3 and parts[1] == "REG_DWORD"}
    h.check(all(v in saved for v in SAVED_VALUES), f"{name}: OK saved all values as DWORDs "
            f"(missing {[v for v in SAVED_VALUES if v not in saved]})")


def install_location_names_no_guide(h):
    os.makedirs(os.path.join(h.session.prefix, "drive_c", "hostile-guide", "terrava-guide.html"), exist_ok=True)
    try:
        for name, data in INSTALL_LOCATIONS:
            write_key(h, {"InstallLocation": data}, UNINSTALL_KEY)
            proc = h.session.launch(h.program("terrava.scr"), ["/c"])
            out = h.output_of("config_probe.exe", ["find", CAPTION, "state", str(VISIT), "click", str(CANCEL_BUTTON),
                                                   "wait-closed"], timeout=120)
            h.check(f"state {VISIT} checked=0 enabled=0" in out, f"InstallLocation {name}: Visit... is disabled")
            h.check(h.session.wait(proc, 30) == 0, f"InstallLocation {name}: Cancel ends terrava.scr /c")
    finally:
        h.session.reg_delete_key(UNINSTALL_KEY)


def scenario(name, values):
    def case(h):
        write_key(h, values)
        saver_runs(h, name)
        write_key(h, values)
        dialog_saves(h, name)
    case.__name__ = name.replace(" ", "_")
    return case


if __name__ == "__main__":
    sys.exit(run([scenario(name, values) for name, values in CASES] + [install_location_names_no_guide]))
