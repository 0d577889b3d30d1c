#!/usr/bin/env python3
"""The configuration and about dialogs of `terrava.scr /c` under Wine.

Each scenario prepares the settings key in the registry, starts the real
program with /c, drives its dialog with config_probe.exe (button clicks,
trackbar keys and thumb drags sent to the controls, texts and states read
back) and reads the registry afterwards. The first scenario also saves a
screenshot of each dialog at 96 DPI into the output folder
(config_dialog.png, about_dialog.png) and checks that every label fits its
control in the dialog font. One scenario runs a copy of terrava.scr whose
label table resource_swap.exe replaced with a Greek test translation
(tests/win/ui/greek_labels.txt) and reads every text back as UTF-8.

Prints one line per check group and "N passed, M failed" at the end.
"""

import argparse
import os
import sys
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Failure, check  # noqa: E402
from product_tables import (SOURCE_DIR, control_label_keys, dialog_ids, known_settings,  # noqa: E402
                            setting_value_names, settings_key)
from saver_harness import resource_copy  # noqa: E402
from winedriver import WineSession, COMMAND_TIMEOUT  # noqa: E402

KEY = settings_key()
X11_KEY = r"HKCU\Software\Wine\X11 Driver"
CAPTION = "Terrava Configuration"
# A translation only the tests carry, in a script no western code page holds.
GREEK_LABELS = os.path.join(SOURCE_DIR, "tests", "win", "ui", "greek_labels.txt")
ABOUT_CAPTION = "About"
# The values OK writes, in the order it writes them: the settings table's rows.
SAVED_VALUES = setting_value_names()

# Control ids from the product's own header; OK and Cancel are Windows' IDOK and IDCANCEL.
IDS = dialog_ids()
MODES, USE_DESKTOP, ENABLE_MUSIC = IDS["IDC_VIDEO_MODES"], IDS["IDC_USE_DESKTOP"], IDS["IDC_ENABLE_MUSIC"]
SHOW_CLOCK, MOUSE_EXIT, RESTORE = IDS["IDC_SHOW_CLOCK"], IDS["IDC_MOUSE_EXIT"], IDS["IDC_RESTORE_DEFAULTS"]
VISIT, ABOUT, VOLUME_TEXT, VOLUME = IDS["IDC_VISIT"], IDS["IDC_ABOUT"], IDS["IDC_VOLUME_TEXT"], IDS["IDC_VOLUME"]
SHOW_FPS, VSYNC, GAMMA = IDS["IDC_SHOW_FPS"], IDS["IDC_VSYNC"], IDS["IDC_GAMMA"]
BRIGHTNESS_TEXT, DEF_GAMMA, WEB_TEXT = IDS["IDC_BRIGHTNESS_TEXT"], IDS["IDC_DEF_GAMMA"], IDS["IDC_WEB_SITE_TEXT"]
CLOCK_24H, CLOCK_12H, SPEED, SPEED_TEXT = IDS["IDC_CLOCK_24H"], IDS["IDC_CLOCK_12H"], IDS["IDC_SPEED"], IDS["IDC_SPEED_TEXT"]
VIDEO_GROUP, OPTIONS_GROUP, CAMERA_GROUP = IDS["IDC_VIDEO_GROUP"], IDS["IDC_OPTIONS_GROUP"], IDS["IDC_CAMERA_GROUP"]
GAMMA_GROUP, SOUND_GROUP, PRODUCTS_GROUP = IDS["IDC_GAMMA_GROUP"], IDS["IDC_SOUND_GROUP"], IDS["IDC_PRODUCTS_GROUP"]
REAL_DAY_NIGHT = IDS["IDC_REAL_DAY_NIGHT"]
OK, CANCEL = 1, 2
ABOUT_LINES = [IDS["IDC_ABOUT_FIRST_LINE"] + i for i in range(7)]
VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_RIGHT = 0x21, 0x22, 0x23, 0x24, 0x25, 0x27

# Every labelled control: id, kind (for the room its text has), text.
LABELS = [
    (VIDEO_GROUP, "group", "Video Mode"), (USE_DESKTOP, "check", "Use Desktop Settings"),
    (VSYNC, "check", "VSync"), (OPTIONS_GROUP, "group", "Options"), (SHOW_FPS, "check", "Show FPS"),
    (MOUSE_EXIT, "check", "Exit on Mouse Move"), (SHOW_CLOCK, "check", "Show Time"),
    (CLOCK_12H, "radio", "12 hrs."), (CLOCK_24H, "radio", "24 hrs."),
    (CAMERA_GROUP, "group", "Camera Options"), (SPEED_TEXT, "static", "Camera Speed"),
    (REAL_DAY_NIGHT, "check", "Show the real day and night"),
    (GAMMA_GROUP, "group", "Gamma Control"), (BRIGHTNESS_TEXT, "static", "Brightness (100%)"),
    (DEF_GAMMA, "check", "Use Default Setting"), (SOUND_GROUP, "group", "Sound Control"),
    (VOLUME_TEXT, "static", "Master Volume: (55%)"), (ENABLE_MUSIC, "check", "Enable Music"),
    (PRODUCTS_GROUP, "group", "Products"),
    (WEB_TEXT, "static", "The user guide: pictures, credits, licence and source code"),
    (VISIT, "button", "Visit..."), (ABOUT, "button", "About..."),
    (RESTORE, "button", "Restore Defaults"), (OK, "button", "OK"), (CANCEL, "button", "Cancel"),
]
# The widest texts the two percentage labels can show.
WIDEST_PERCENT_TEXTS = {BRIGHTNESS_TEXT: "Brightness (150%)", VOLUME_TEXT: "Master Volume: (100%)"}


def read_label_table(path):
    """{key: text} of a label table: a "#key#" line names the line after it."""
    with open(path, encoding="utf-8-sig") as f:
        lines = f.read().splitlines()
    return {line[1:-1].lower(): text for line, text in zip(lines, lines[1:])
            if len(line) > 2 and line.startswith("#") and line.endswith("#")}


class Probe:
    """What config_probe.exe printed, by kind of line."""

    def __init__(self, lines):
        self.lines = lines
        self.texts, self.states, self.trackbars, self.rects, self.fits = {}, {}, {}, {}, {}
        self.modes, self.mode_list = [], []
        for line in lines:
            kind, _, rest = line.partition(" ")
            if kind == "text":
                ident, _, text = rest.partition(" ")
                self.texts.setdefault(int(ident), []).append(text)
            elif kind in ("state", "trackbar", "fit", "modes"):
                self._fields(kind, rest)
            elif kind == "rect":
                numbers = [int(v) for v in rest.split()]
                self.rects[numbers[0]] = numbers[1:]
            elif kind == "mode":
                self.mode_list.append(rest.partition(" ")[2])
            elif kind in ("window", "client", "dpi"):
                setattr(self, kind, [int(v) for v in rest.split()])
            elif kind == "desktop":
                self.desktop = rest

    def _fields(self, kind, rest):
        parts = rest.split()
        fields = dict(p.split("=", 1) for p in parts if "=" in p)
        if kind == "modes":
            self.modes.append({"items": self.mode_list, **{k: int(v) for k, v in fields.items()}})
            self.mode_list = []
            return
        if kind == "fit":
            fields["face"] = rest.split("face=", 1)[1]  # a font name may hold blanks
        table = {"state": self.states, "trackbar": self.trackbars, "fit": self.fits}[kind]
        table.setdefault(int(parts[0]), []).append(fields)

    def text(self, ident, index=-1):
        return self.texts[ident][index]

    def state(self, ident, index=-1):
        s = self.states[ident][index]
        return int(s["checked"]), int(s["enabled"])

    def trackbar(self, ident, index=-1):
        t = self.trackbars[ident][index]
        return int(t["pos"]), int(t["min"]), int(t["max"])

    def selected(self, index=-1):
        m = self.modes[index]
        return m["items"][m["selected"]] if 0 <= m["selected"] < len(m["items"]) else None


class ConfigTest:
    def __init__(self, args):
        self.session = WineSession(args.wine_dir)
        self.bin = os.path.abspath(args.bin)
        self.out = os.path.abspath(args.out)
        self.process = None

    # ---- running the program and the probe ----------------------------------
    def start_dialog(self):
        self.process = self.session.launch(os.path.join(self.bin, "terrava.scr"), ["/c"])

    def finish_dialog(self):
        code = self.session.wait(self.process, 30)
        self.process = None
        check(code == 0, f"terrava.scr /c ended with {code}")

    def probe(self, *steps, title=CAPTION):
        args = ["find", title] + [str(s) for s in steps]
        proc = self.session.launch(os.path.join(self.bin, "config_probe.exe"), args)
        code = self.session.wait(proc, 120)
        out = proc.stdout.read().decode("utf-8", "replace")
        lines = [l.rstrip("\r") for l in out.splitlines()]
        lines = [l for l in lines if l and not l.startswith(("wine:", "fixme:", "err:"))]
        check(code == 0, f"probe failed ({code}): {lines[-3:]}")
        return Probe(lines)

    # ---- registry ---------------------------------------------------------
    def registry_values(self):
        proc = self.session.launch("reg", ["query", KEY])
        self.session.wait(proc, COMMAND_TIMEOUT)
        values = {}
        for line in proc.stdout.read().decode("utf-8", "replace").splitlines():
            parts = line.split()
            if len(parts) == 3 and parts[1] == "REG_DWORD":
                values[parts[0]] = int(parts[2], 16)
        return values

    def set_registry(self, values):
        """Replaces the settings key with exactly these DWORD values."""
        self.session.reg_set_dwords(KEY, known_settings(values), self.out)
        check(self.registry_values() == values, "registry preset did not take")

    def screenshot(self, window, name):
        full = os.path.join(self.out, name + "-screen.png")
        path = os.path.join(self.out, name + ".png")
        self.session.screenshot(full)
        left, top, right, bottom = window
        self.session.x("convert", full, "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage", path)
        os.unlink(full)
        check(os.path.exists(path), f"no screenshot {path}")
        print(f"screenshot: {path}")

    # ---- scenarios ----------------------------------------------------------
    def test_defaults_layout_labels_and_about(self):
        self.set_registry({})
        self.start_dialog()
        fit_steps = []
        for ident, kind, _ in LABELS:
            fit_steps += ["fit", ident, kind]
        p = self.probe("dpi", "desktop", "text", 0, *[s for i, _, _ in LABELS for s in ("text", i)],
                       "modes", *[s for i in (USE_DESKTOP, ENABLE_MUSIC, SHOW_CLOCK, MOUSE_EXIT, SHOW_FPS,
                                             VSYNC, DEF_GAMMA, CLOCK_12H, CLOCK_24H, VOLUME, VOLUME_TEXT,
                                             GAMMA, BRIGHTNESS_TEXT, VISIT, REAL_DAY_NIGHT) for s in ("state", i)],
                       "trackbar", VOLUME, "trackbar", GAMMA, "trackbar", SPEED,
                       "client", "rect", VIDEO_GROUP, "rect", PRODUCTS_GROUP, "rect", RESTORE, "rect", OK, "rect", CANCEL,
                       *fit_steps)
        check(p.dpi == [96, 96], f"display is at {p.dpi} DPI, not 96")
        check(p.text(0) == CAPTION, f"caption {p.text(0)!r}")
        for ident, _, text in LABELS:
            check(p.text(ident) == text, f"control {ident} shows {p.text(ident)!r}, expected {text!r}")
        # Factory defaults: desktop mode, music on, default gamma, 12-hour clock.
        check(p.modes[0]["enabled"] == 0 and p.selected() == p.desktop,
              f"UseDesktop: list enabled={p.modes[0]['enabled']} selected={p.selected()!r}, desktop {p.desktop!r}")
        expected_states = {USE_DESKTOP: (1, 1), ENABLE_MUSIC: (1, 1), SHOW_CLOCK: (1, 1), MOUSE_EXIT: (0, 1),
                           SHOW_FPS: (0, 1), VSYNC: (0, 1), DEF_GAMMA: (1, 1), CLOCK_12H: (1, 1),
                           CLOCK_24H: (0, 1), REAL_DAY_NIGHT: (1, 1),
                           # No user guide beside the built terrava.scr and none installed.
                           VISIT: (0, 0)}
        for ident, expected in expected_states.items():
            check(p.state(ident) == expected, f"control {ident}: (checked, enabled) {p.state(ident)}, expected {expected}")
        check(p.state(VOLUME)[1] == 1 and p.state(VOLUME_TEXT)[1] == 1, "volume controls disabled with music on")
        check(p.state(GAMMA)[1] == 0 and p.state(BRIGHTNESS_TEXT)[1] == 0, "gamma controls enabled with DefGamma")
        check(p.trackbar(VOLUME) == (55, 1, 100), f"volume trackbar {p.trackbar(VOLUME)}")
        check(p.trackbar(GAMMA) == (50, 0, 100), f"gamma trackbar {p.trackbar(GAMMA)}")
        check(p.trackbar(SPEED) == (50, 0, 100), f"speed trackbar {p.trackbar(SPEED)}")
        self.check_unused_row_closed(p)
        self.check_labels_fit(p)
        self.screenshot(p.window, "config_dialog")

        a = self.probe("post-click", ABOUT, "find", ABOUT_CAPTION, "text", 0,
                       *[s for i in ABOUT_LINES for s in ("text", i)],
                       *[s for i in ABOUT_LINES for s in ("fit", i, "static")])
        lines = [a.text(i) for i in ABOUT_LINES]
        check(a.text(0) == "About", f"about caption {a.text(0)!r}")
        check([bool(l) for l in lines] == [True, False, True, True, False, True, True],
              f"about lines {lines}")
        check(lines[0] == "Terrava 3D Screensaver", f"about line 1 {lines[0]!r}")
        for ident in ABOUT_LINES:
            fit = a.fits[ident][-1]
            check(int(fit["text"]) <= int(fit["room"]), f"about line {ident} is clipped: {fit}")
        self.screenshot(a.window, "about_dialog")
        self.probe("click", OK, "wait-closed", title=ABOUT_CAPTION)
        self.probe("click", CANCEL, "wait-closed")
        self.finish_dialog()
        check(self.registry_values() == {}, f"Cancel wrote {self.registry_values()}")

    def check_unused_row_closed(self, p):
        # Pixels per vertical dialog unit, from the tops of the Video Mode
        # (y 2) and Products (y 165) group boxes.
        products = p.rects[PRODUCTS_GROUP][1]
        per_unit = (products - p.rects[VIDEO_GROUP][1]) / 163.0
        row = 44 * p.dpi[1] // 96  # the row's 44 pixels at 96 DPI, at the dialog's DPI
        for ident in (RESTORE, OK, CANCEL):
            expected = products + (225 - 165) * per_unit - row
            check(abs(p.rects[ident][1] - expected) <= 2,
                  f"button {ident} at y {p.rects[ident][1]}, expected about {expected:.0f}")
        expected_height = products + (244 - 165) * per_unit - row
        check(abs(p.client[1] - expected_height) <= 2, f"client height {p.client[1]}, expected {expected_height:.0f}")

    def test_unused_row_closed_at_144_dpi(self):
        keys = (r"HKCU\Control Panel\Desktop", r"HKCC\Software\Fonts")  # where Wine reads the DPI
        for key in keys:
            self.session.reg_add(key, "LogPixels", "REG_DWORD", 144)
        try:
            self.set_registry({})
            self.start_dialog()
            p = self.probe("dpi", "client", *[s for i in (VIDEO_GROUP, PRODUCTS_GROUP, RESTORE, OK, CANCEL)
                                               for s in ("rect", i)], "click", CANCEL, "wait-closed")
            self.finish_dialog()
        finally:
            for key in keys:
                self.session.run(["reg", "delete", key, "/v", "LogPixels", "/f"], timeout=COMMAND_TIMEOUT, echo=False)
        check(p.dpi == [144, 144], f"display is at {p.dpi} DPI, not 144")
        self.check_unused_row_closed(p)

    def check_labels_fit(self, p):
        for ident, _, _ in LABELS:
            fit = p.fits[ident][-1]
            check(int(fit["text"]) <= int(fit["room"]), f"label of {ident} is clipped: {fit}")
        print(f"dialog font: {p.fits[OK][-1]['face']}")

    def test_widest_percentages_fit(self):
        # Gamma 100 with DefGamma off and Volume 100 show the widest texts.
        self.set_registry({"DefGamma": 0, "Gamma": 100, "Volume": 100})
        self.start_dialog()
        p = self.probe("text", BRIGHTNESS_TEXT, "text", VOLUME_TEXT,
                       "fit", BRIGHTNESS_TEXT, "static", "fit", VOLUME_TEXT, "static", "click", CANCEL, "wait-closed")
        self.finish_dialog()
        for ident, text in WIDEST_PERCENT_TEXTS.items():
            check(p.text(ident) == text, f"control {ident} shows {p.text(ident)!r}, expected {text!r}")
            fit = p.fits[ident][-1]
            check(int(fit["text"]) <= int(fit["room"]), f"{text!r} is clipped: {fit}")

    def test_check_boxes_toggle_settings_and_ok_saves_all(self):
        self.set_registry({})
        self.start_dialog()
        p = self.probe(
            "desktop",
            "click", USE_DESKTOP, "state", USE_DESKTOP, "modes",
            "click", CLOCK_24H, "state", CLOCK_24H, "state", CLOCK_12H,
            "click", SHOW_CLOCK, "state", SHOW_CLOCK, "state", CLOCK_12H, "state", CLOCK_24H,
            "click", ENABLE_MUSIC, "state", ENABLE_MUSIC, "state", VOLUME, "state", VOLUME_TEXT,
            "click", MOUSE_EXIT, "state", MOUSE_EXIT, "click", SHOW_FPS, "state", SHOW_FPS,
            "click", VSYNC, "state", VSYNC, "click", REAL_DAY_NIGHT, "state", REAL_DAY_NIGHT,
            # Use Default Setting off: brightness from 50 % to 150 %.
            "click", DEF_GAMMA, "state", DEF_GAMMA, "state", GAMMA, "state", BRIGHTNESS_TEXT,
            "key", GAMMA, VK_PRIOR, 6, "trackbar", GAMMA, "text", BRIGHTNESS_TEXT,
            "key", GAMMA, VK_NEXT, 10, "trackbar", GAMMA, "text", BRIGHTNESS_TEXT,
            # Use Default Setting in either direction resets Gamma to 50.
            "click", DEF_GAMMA, "state", DEF_GAMMA, "state", GAMMA, "trackbar", GAMMA, "text", BRIGHTNESS_TEXT,
            "click", DEF_GAMMA, "state", DEF_GAMMA, "state", GAMMA,
            "trackbar", GAMMA, "text", BRIGHTNESS_TEXT,
            # Dragging the speed thumb 40 pixels to the right.
            "drag", SPEED, 40, "trackbar", SPEED,
            "click", OK, "wait-closed")
        self.finish_dialog()
        check(p.state(USE_DESKTOP) == (0, 1) and p.modes[0]["enabled"] == 1, "UseDesktop off: list still disabled")
        check(p.selected() == p.desktop, f"UseDesktop off: selected {p.selected()!r}")
        check(p.state(CLOCK_24H)[0] == 1 and p.state(CLOCK_12H, 0)[0] == 0, "24 hrs. radio not taken")
        check(p.state(SHOW_CLOCK) == (0, 1), f"ShowClock box {p.state(SHOW_CLOCK)}")
        check(p.state(CLOCK_12H)[1] == 0 and p.state(CLOCK_24H)[1] == 0, "clock radios enabled without clock")
        check(p.state(ENABLE_MUSIC) == (0, 1), f"EnableMusic box {p.state(ENABLE_MUSIC)}")
        check(p.state(VOLUME)[1] == 0 and p.state(VOLUME_TEXT)[1] == 0, "volume controls enabled without music")
        check(p.state(REAL_DAY_NIGHT) == (0, 1), f"RealDayNight box {p.state(REAL_DAY_NIGHT)}")
        for ident in (MOUSE_EXIT, SHOW_FPS, VSYNC):
            check(p.state(ident) == (1, 1), f"control {ident} not checked after a click")
        check(p.state(DEF_GAMMA, 0)[0] == 0 and p.state(GAMMA, 0)[1] == 1 and p.state(BRIGHTNESS_TEXT, 0)[1] == 1,
              "gamma controls not enabled with DefGamma off")
        check(p.trackbar(GAMMA, 0)[0] == 0 and p.text(BRIGHTNESS_TEXT, 0) == "Brightness (50%)",
              f"Gamma 0 shows {p.text(BRIGHTNESS_TEXT, 0)!r}")
        check(p.trackbar(GAMMA, 1)[0] == 100 and p.text(BRIGHTNESS_TEXT, 1) == "Brightness (150%)",
              f"Gamma 100 shows {p.text(BRIGHTNESS_TEXT, 1)!r}")
        for index, checked in ((1, 1), (2, 0)):
            check(p.state(DEF_GAMMA, index)[0] == checked, "Use Default Setting did not toggle")
            check(p.state(GAMMA, index)[1] == 1 - checked, "gamma trackbar enabling does not follow DefGamma")
            check(p.trackbar(GAMMA, index + 1)[0] == 50 and p.text(BRIGHTNESS_TEXT, index + 1) == "Brightness (100%)",
                  f"Use Default Setting left {p.trackbar(GAMMA, index + 1)} {p.text(BRIGHTNESS_TEXT, index + 1)!r}")
        speed = p.trackbar(SPEED)[0]
        check(speed > 60, f"dragging the thumb 40 pixels moved Speed only to {speed}")

        width, height, depth = (int(v) for v in p.desktop.replace(" x ", " ").split()[:3])
        expected = {"ShowClock": 0, "TimeFormat": 0, "EnableMusic": 0, "UseDesktop": 0, "ShowFlame": 0,
                    "DefGamma": 0, "Width": width, "Height": height, "Depth": depth, "Volume": 55,
                    "Speed": speed, "Gamma": 50, "VSync": 1, "MouseExit": 1, "ShowFPS": 1,
                    "FrameLimit": 10000,  # the display's refresh rate, saved as "not set"
                    "RealDayNight": 0}
        values = self.registry_values()
        check(sorted(values) == sorted(SAVED_VALUES), f"OK wrote {sorted(values)}")
        check(values == expected, f"OK wrote {values}, expected {expected}")

    def test_trackbar_keys_change_what_ok_saves(self):
        self.set_registry({})
        self.start_dialog()
        p = self.probe(
            # Page steps move the volume down to its minimum of 1, never 0.
            "key", VOLUME, VK_PRIOR, 8, "trackbar", VOLUME, "text", VOLUME_TEXT,
            # End, then three arrow-key line steps back.
            "key", VOLUME, VK_END, 1, "key", VOLUME, VK_LEFT, 3, "trackbar", VOLUME, "text", VOLUME_TEXT,
            "key", SPEED, VK_RIGHT, 5, "trackbar", SPEED, "key", SPEED, VK_END, 1, "trackbar", SPEED,
            "key", SPEED, VK_HOME, 1, "key", SPEED, VK_RIGHT, 2, "trackbar", SPEED,
            "click", OK, "wait-closed")
        self.finish_dialog()
        check(p.trackbar(VOLUME, 0)[0] == 1 and p.text(VOLUME_TEXT, 0) == "Master Volume: (1%)",
              f"volume after page steps {p.trackbar(VOLUME, 0)} {p.text(VOLUME_TEXT, 0)!r}")
        check(p.trackbar(VOLUME, 1)[0] == 97 and p.text(VOLUME_TEXT) == "Master Volume: (97%)",
              f"volume after End and three steps back {p.trackbar(VOLUME, 1)} {p.text(VOLUME_TEXT)!r}")
        check([p.trackbar(SPEED, i)[0] for i in range(3)] == [55, 100, 2],
              f"speed thumb after arrows, End, Home and arrows {[p.trackbar(SPEED, i) for i in range(3)]}")
        values = self.registry_values()
        check(values.get("Volume") == 97 and values.get("Speed") == 2,
              f"stored Volume {values.get('Volume')} Speed {values.get('Speed')}, expected 97 and 2")

    def test_restore_defaults_twice_then_cancel(self):
        first = self.first_modes()
        other = next((m for m in first["items"] if m != first["desktop"]), None)
        check(other is not None, f"the display lists only {first['items']}")
        width, height, depth = (int(v) for v in other.replace(" x ", " ").split()[:3])
        preset = {"ShowClock": 0, "TimeFormat": 0, "EnableMusic": 0, "UseDesktop": 0, "DefGamma": 0,
                  "Width": width, "Height": height, "Depth": depth, "Volume": 30, "Speed": 20, "Gamma": 80,
                  "VSync": 1, "MouseExit": 1, "ShowFPS": 1, "RealDayNight": 0}
        self.set_registry(preset)
        self.start_dialog()
        p = self.probe("modes", "state", SHOW_FPS, "state", REAL_DAY_NIGHT, "trackbar", SPEED,
                       "click", RESTORE, "click", RESTORE,
                       "modes", "state", SHOW_FPS, "state", USE_DESKTOP, "state", DEF_GAMMA, "state", REAL_DAY_NIGHT,
                       "trackbar", SPEED, "trackbar", VOLUME, "trackbar", GAMMA,
                       "text", VOLUME_TEXT, "text", BRIGHTNESS_TEXT,
                       "click", CANCEL, "wait-closed")
        self.finish_dialog()
        before, after = p.modes
        check(p.selected(0) == other and before["enabled"] == 1, f"stored mode {other!r} not selected")
        check(p.state(SHOW_FPS, 0)[0] == 1 and p.state(REAL_DAY_NIGHT, 0)[0] == 0 and p.trackbar(SPEED, 0)[0] == 20,
              "stored values not shown")
        check(after["items"] == before["items"], f"modes after Restore Defaults twice: {after['items']}")
        check(len(set(after["items"])) == len(after["items"]), f"a mode is listed twice: {after['items']}")
        check(after["enabled"] == 0 and p.selected(1) == first["desktop"], "defaults: desktop mode not selected")
        check(p.state(SHOW_FPS)[0] == 0 and p.state(USE_DESKTOP)[0] == 1 and p.state(DEF_GAMMA)[0] == 1
              and p.state(REAL_DAY_NIGHT)[0] == 1, "defaults not shown in the check boxes")
        check(p.trackbar(SPEED)[0] == 50 and p.trackbar(VOLUME)[0] == 55 and p.trackbar(GAMMA)[0] == 50,
              "defaults not shown on the trackbars")
        check(p.text(VOLUME_TEXT) == "Master Volume: (55%)" and p.text(BRIGHTNESS_TEXT) == "Brightness (100%)",
              "defaults not shown in the percentage texts")
        values = self.registry_values()
        check(values == preset, f"Cancel changed the registry: {values}")

    def test_use_desktop_stores_desktop_mode(self):
        first = self.first_modes()
        other = next((m for m in first["items"] if m != first["desktop"]), None)
        check(other is not None, f"the display lists only {first['items']}")
        width, height, depth = (int(v) for v in other.replace(" x ", " ").split()[:3])
        self.set_registry({"UseDesktop": 0, "Width": width, "Height": height, "Depth": depth})
        self.start_dialog()
        p = self.probe("modes", "click", USE_DESKTOP, "modes", "state", USE_DESKTOP, "click", OK, "wait-closed")
        self.finish_dialog()
        check(p.selected(0) == other and p.modes[0]["enabled"] == 1, "stored mode not selected in an enabled list")
        check(p.selected(1) == first["desktop"] and p.modes[1]["enabled"] == 0,
              f"UseDesktop on: selected {p.selected(1)!r}, enabled {p.modes[1]['enabled']}")
        dw, dh, dd = (int(v) for v in first["desktop"].replace(" x ", " ").split()[:3])
        values = self.registry_values()
        stored = (values.get("UseDesktop"), values.get("Width"), values.get("Height"), values.get("Depth"))
        check(stored == (1, dw, dh, dd), f"stored UseDesktop, Width, Height, Depth {stored}")

    def test_greek_translation_shows_in_the_dialog(self):
        # A copy of terrava.scr whose label table is the Greek translation.
        copy = os.path.join(self.out, "terrava_greek.scr")
        check(resource_copy(self.session, self.bin, copy, "kLabelResourceId", GREEK_LABELS),
              "resource_swap could not make the translated copy")
        labels = read_label_table(GREEK_LABELS)
        controls = [(OK if name == "IDOK" else CANCEL if name == "IDCANCEL" else IDS[name], key)
                    for name, key in control_label_keys()]
        self.set_registry({})
        self.process = self.session.launch(copy, ["/c"])
        p = self.probe("text", 0, *[s for ident, _ in controls for s in ("text", ident)],
                       "text", ABOUT, "text", VOLUME_TEXT, "text", BRIGHTNESS_TEXT, "click", CANCEL,
                       "wait-closed", title=labels["screensaver_configuration"])
        self.finish_dialog()
        expected = {ident: labels.get(key, "") for ident, key in controls}   # a label it lacks shows empty
        expected.update({0: labels["screensaver_configuration"], ABOUT: labels["about"] + "...",
                         VOLUME_TEXT: labels["master_volume:"] + " (55%)",
                         BRIGHTNESS_TEXT: labels["brightness"] + " (100%)"})
        for ident, text in expected.items():
            check(p.text(ident) == text, f"control {ident} shows {p.text(ident)!r}, expected {text!r}")

    def first_modes(self):
        """The list as the dialog shows it with factory defaults, and the desktop mode."""
        if not hasattr(self, "_modes"):
            self.set_registry({})
            self.start_dialog()
            p = self.probe("desktop", "modes", "click", CANCEL, "wait-closed")
            self.finish_dialog()
            self._modes = {"items": p.modes[0]["items"], "desktop": p.desktop}
        return self._modes

    # ---- running ------------------------------------------------------------
    def run(self):
        os.makedirs(self.out, exist_ok=True)
        # Wine draws the window frames itself (there is no window manager
        # under Xvfb), so the screenshots show the captions.
        self.session.reg_add(X11_KEY, "Decorated", "REG_SZ", "N")
        tests = [getattr(self, name) for name in dir(self) if name.startswith("test_")]
        passed = failed = 0
        try:
            for test in tests:
                try:
                    test()
                    passed += 1
                    print(f"PASS {test.__name__}", flush=True)
                except Exception as e:  # a failed check or a driver error
                    failed += 1
                    print(f"FAIL {test.__name__}: {e}", flush=True)
                    if not isinstance(e, Failure):
                        traceback.print_exc()
                    if self.process:
                        self.session.wait(self.process, 1)
                        self.process = None
        finally:
            self.session.run(["reg", "delete", X11_KEY, "/v", "Decorated", "/f"], timeout=COMMAND_TIMEOUT, echo=False)
            self.session.reg_delete_key(KEY)
        print(f"{passed} passed, {failed} failed")
        return 0 if failed == 0 else 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--wine-dir", required=True)
    parser.add_argument("--bin", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    return ConfigTest(args).run()


if __name__ == "__main__":
    sys.exit(main())
