#!/usr/bin/env python3
"""terrava-setup.exe and its uninstaller in the Wine session's prefix.

Silent install: terrava.scr lands in the 64-bit System32 byte for byte, the
user guide with every file its page links to in the program folder, the
per-machine Uninstall entry names it with the version of its own version
resource, and it becomes the user's screensaver; started from there with /s
it runs and ends on a key, and with /c its Visit... button (which opens the
guide) is enabled. Silent uninstall: the file, the entry, the
uninstaller's folder and the settings key go, the screensaver chosen before
comes back, and a whole-registry export equals the one taken before the
install, apart from keys Wine rewrites on every start. Installing over an
installation keeps the user's settings and the record of the screensaver
it replaced. /NOACTIVE leaves the screensaver alone, and so does the
uninstaller once the user has chosen another one.

The prefix is shared with the other whole-program tests: the screensaver
values and the Korvane key found at the start are put back at the end.
"""
import os
import re
import shlex
import struct
import time

from product_tables import dialog_ids
from saver_harness import EXIT_TIMEOUT, SETTINGS_KEY, SETTLE, WINDOW_TIMEOUT, Harness, parse_args

DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
KORVANE_KEY = r"HKCU\Software\Korvane"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Terrava"
INSTALLED = r"C:\windows\system32\terrava.scr"
UNINSTALLER = r"C:\Program Files\Korvane\Terrava\terrava-uninstall.exe"
GUIDE = r"C:\Program Files\Korvane\Terrava\terrava-guide.html"
PREVIOUS = r"C:\windows\system32\ribbons.scr"   # a screensaver "chosen before"
OTHER = r"C:\windows\system32\mystify.scr"      # one the user picks later
SETUP_TIMEOUT = 120       # seconds for a silent install or uninstall
CLEANUP_TIMEOUT = 30      # seconds for the uninstaller's temporary copy to finish
REG_TIMEOUT = 60          # seconds for one reg or regedit command
DIALOG_TIMEOUT = 60       # seconds for the configuration dialog to be probed and closed
CONFIG_CAPTION = "Terrava Configuration"
VISIT = dialog_ids()["IDC_VISIT"]
CANCEL = 2

# Keys and values Wine rewrites whenever its display driver starts, so they
# differ between any two exports: the video device keys get a new GUID each
# time, the volatile hardware tree is filled in as devices come up, and driver
# dates carry the start time.
# Registry key names ignore case; these are lower-cased.
VOLATILE_KEYS = (r"hkey_local_machine\system\currentcontrolset\control\video" "\\",
                 r"hkey_local_machine\hardware" "\\")
VOLATILE_VALUES = ('"DriverDateData"',)
# An NSIS uninstaller runs from a temporary copy of itself (%TEMP%\~nsuN.tmp\Un.exe)
# that cannot delete itself while it runs; when it is still running as it
# ends, the copy and its folder are left to be deleted at the next start
# through PendingFileRenameOperations. Such an entry, naming nothing but
# that copy, is the uninstaller's own clean-up, not a change it leaves.
PENDING_RENAMES = '"PendingFileRenameOperations"=hex(7):'
UNINSTALLER_COPY = re.compile(r"^\\\?\?\\C:\\users\\[^\\]+\\Temp\\~nsu[^\\]*\.tmp(\\Un\.exe)?$", re.I)
VALUE_LINE = re.compile(r"^    (.*?)    (REG_[A-Z_]+)(?:    (.*))?$")


# ---- registry ----------------------------------------------------------------
def values(h, key):
    """All values of KEY as {name: str or int (DWORD)}; None when it is missing."""
    proc = h.session.launch("reg", ["query", key])
    code = h.session.wait(proc, REG_TIMEOUT)
    text = proc.stdout.read().decode("utf-8", "replace")
    if code != 0:
        return None
    found = {}
    for line in text.splitlines():
        m = VALUE_LINE.match(line.rstrip("\r"))
        if m:
            name, kind, data = m.group(1), m.group(2), m.group(3) or ""
            found[name] = int(data, 16) if kind == "REG_DWORD" else data
    return found


def set_value(h, key, name, data):
    """Writes a REG_SZ, or deletes the value when DATA is None."""
    if data is None:
        h.session.run(["reg", "delete", key, "/v", name, "/f"], timeout=REG_TIMEOUT, echo=False)
    else:
        h.session.reg_add(key, name, "REG_SZ", data)


def screensaver(h):
    desktop = values(h, DESKTOP_KEY) or {}
    return desktop.get("SCRNSAVE.EXE"), desktop.get("ScreenSaveActive")


def choose_screensaver(h, path, active):
    set_value(h, DESKTOP_KEY, "SCRNSAVE.EXE", path)
    set_value(h, DESKTOP_KEY, "ScreenSaveActive", active)


def export(h, name, key=None):
    """regedit /E of KEY (everything when None) into OUT/NAME; returns the path."""
    path = os.path.join(h.out, name)
    if os.path.exists(path):
        os.unlink(path)
    cmd = ["regedit", "/E", h.session.to_windows_path(path)] + ([key] if key else [])
    h.session.run(cmd, timeout=REG_TIMEOUT * 2, echo=False)
    return path


def only_uninstaller_copy(line):
    """True for a PendingFileRenameOperations value naming only the
    uninstaller's temporary copy (see UNINSTALLER_COPY)."""
    if not line.startswith(PENDING_RENAMES):
        return False
    data = bytes(int(b, 16) for b in line[len(PENDING_RENAMES):].replace(" ", "").split(",") if b)
    paths = [p for p in data.decode("utf-16-le", "replace").split("\0") if p]
    return bool(paths) and all(UNINSTALLER_COPY.match(p) for p in paths)


def parse_export(path):
    """A regedit export as {key: {value line}} without the volatile parts.
    Continuation lines of long hex values are joined to their value."""
    with open(path, "rb") as f:
        text = f.read().decode("utf-16").replace("\\\r\n", "").replace("\r\n", "\n")
    keys, current = {}, None
    for line in text.split("\n"):
        if line.startswith("[") and line.endswith("]"):
            name = line[1:-1]
            current = None if name.lower().startswith(VOLATILE_KEYS) else keys.setdefault(name, set())
        elif current is not None and line and not line.startswith(VOLATILE_VALUES) \
                and not only_uninstaller_copy(line):
            current.add(line)
    return keys


def registry_changes(before, after):
    """Readable lines for every key or value added, removed or changed."""
    changes = []
    for key in sorted(set(before) | set(after)):
        if key not in after:
            changes.append(f"key removed: {key}")
        elif key not in before:
            changes.append(f"key added: {key} {sorted(after[key])}")
        else:
            changes += [f"{key}: removed {v}" for v in sorted(before[key] - after[key])]
            changes += [f"{key}: added {v}" for v in sorted(after[key] - before[key])]
    return changes


# ---- files -------------------------------------------------------------------
def prefix_path(h, windows_path):
    """The Linux path of a C:\\ path inside the session's prefix."""
    rest = windows_path[3:].replace("\\", "/")
    return os.path.join(h.session.prefix, "drive_c", rest)


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def file_version(path):
    """major.minor.patch from the VS_FIXEDFILEINFO of a PE file, or None."""
    data = read_bytes(path)
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return None
    ms, ls = struct.unpack_from("<II", data, at + 8)
    return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}"


def size_kib(path):
    return os.path.getsize(path) / 1024


def folder_kib(folder):
    return sum(size_kib(os.path.join(d, f)) for d, _, files in os.walk(folder) for f in files)


# ---- installer and uninstaller --------------------------------------------------
def install(h, *options):
    setup = h.program("terrava-setup.exe")
    h.check(os.path.exists(setup), f"the installer was built: {setup}")
    code = h.session.run([setup, "/S"] + list(options), timeout=SETUP_TIMEOUT, echo=False)
    h.check(code == 0, f"terrava-setup.exe /S {' '.join(options)} ends with exit code 0 ({code})")


def uninstall(h):
    """Runs the entry's QuietUninstallString. The uninstaller hands the work
    to a temporary copy of itself and may return before that copy ends, so
    the steps end when its folder is gone."""
    entry = values(h, UNINSTALL_KEY) or {}
    command = shlex.split(entry.get("QuietUninstallString", "").replace("\\", "/"))
    h.check(len(command) == 2, f"the entry has a quiet uninstall command ({command})")
    if len(command) != 2:
        return
    code = h.session.run([command[0].replace("/", "\\"), command[1]], timeout=SETUP_TIMEOUT, echo=False)
    h.check(code == 0, f"the quiet uninstall command ends with exit code 0 ({code})")
    korvane = os.path.dirname(os.path.dirname(prefix_path(h, UNINSTALLER)))
    deadline = time.time() + CLEANUP_TIMEOUT
    while os.path.exists(korvane) and time.time() < deadline:
        time.sleep(0.5)
    h.check(not os.path.exists(korvane), "the uninstaller's folder Program Files\\Korvane is gone")


def check_installed(h):
    installed = prefix_path(h, INSTALLED)
    h.check(os.path.exists(installed) and read_bytes(installed) == read_bytes(h.program("terrava.scr")),
            "terrava.scr is in the 64-bit System32, byte for byte the built one")
    h.check(not os.path.exists(prefix_path(h, r"C:\windows\syswow64\terrava.scr")),
            "nothing went into the 32-bit SysWOW64")
    entry = values(h, UNINSTALL_KEY) or {}
    version = file_version(h.program("terrava.scr"))
    expected = {"DisplayName": "Terrava", "DisplayVersion": version, "Publisher": "Korvane",
                "UninstallString": f'"{UNINSTALLER}"', "QuietUninstallString": f'"{UNINSTALLER}" /S'}
    for name, value in expected.items():
        h.check(entry.get(name) == value, f"Uninstall entry {name} = {value} ({entry.get(name)})")
    h.check(entry.get("DisplayIcon", "").lower() == INSTALLED.lower() + ",0",
            f"Uninstall entry DisplayIcon is the installed saver's icon ({entry.get('DisplayIcon')})")
    kib = size_kib(installed) + folder_kib(os.path.dirname(prefix_path(h, UNINSTALLER)))
    h.check(abs(entry.get("EstimatedSize", 0) - kib) <= 2,
            f"EstimatedSize {entry.get('EstimatedSize')} KiB matches the installed files ({kib:.0f})")
    h.check(file_version(h.program("terrava-setup.exe")) == version,
            f"the installer carries the same version {version}")
    check_guide_installed(h)


def check_guide_installed(h):
    page = prefix_path(h, GUIDE)
    built = os.path.join(os.path.dirname(h.program("terrava.scr")), "..", "guide", "terrava-guide.html")
    h.check(os.path.exists(page) and read_bytes(page) == read_bytes(built),
            "the user guide is in the program folder, byte for byte the built one")
    if not os.path.exists(page):
        return
    links = re.findall(r'(?:href|src)="([^":#]+)"', read_bytes(page).decode("utf-8"))
    missing = [link for link in links if not os.path.isfile(os.path.join(os.path.dirname(page), link))]
    h.check(len(links) > 2 and not missing, f"every file the guide links to is installed ({len(links)} links, "
            f"missing {missing})")


def check_visit_enabled(h):
    """The installed saver's configuration dialog offers Visit..., which
    finds the guide through the install folder the installer recorded."""
    proc = h.session.launch(INSTALLED, ["/c"])
    out = h.output_of("config_probe.exe", ["find", CONFIG_CAPTION, "state", str(VISIT), "click", str(CANCEL),
                                           "wait-closed"], timeout=DIALOG_TIMEOUT)
    h.check(f"state {VISIT} checked=0 enabled=1" in out, f"Visit... is enabled in the installed saver ({out.split()})")
    h.check(h.session.wait(proc, DIALOG_TIMEOUT) == 0, "Cancel ends terrava.scr /c")


def check_active(h):
    path, active = screensaver(h)
    h.check((path or "").lower() == INSTALLED.lower() and active == "1",
            f"Terrava is the active screensaver ({path}, ScreenSaveActive {active})")


def check_removed(h):
    h.check(not os.path.exists(prefix_path(h, INSTALLED)), "terrava.scr is gone")
    h.check(values(h, UNINSTALL_KEY) is None, "the Uninstall entry is gone")
    h.check(values(h, SETTINGS_KEY) is None, "the settings key is gone")


# ---- scenarios -------------------------------------------------------------------
def install_and_uninstall_leave_the_registry_as_before(h):
    choose_screensaver(h, PREVIOUS, "0")
    before = parse_export(export(h, "registry-before-install.reg"))
    install(h)
    check_installed(h)
    check_active(h)
    h.session.reg_add(SETTINGS_KEY, "Speed", "REG_DWORD", "70")   # the user's own settings
    uninstall(h)
    check_removed(h)
    h.check(screensaver(h) == (PREVIOUS, "0"), f"the previous screensaver is back ({screensaver(h)})")
    changes = registry_changes(before, parse_export(export(h, "registry-after-uninstall.reg")))
    for line in changes[:20]:
        print("     " + line)
    h.check(not changes, f"the registry is as before the install ({len(changes)} changes)")


def installed_saver_runs_and_reinstall_keeps_settings(h):
    choose_screensaver(h, None, None)   # no screensaver chosen, as in a fresh prefix
    install(h)
    check_active(h)
    proc = h.session.launch(INSTALLED, ["/s"])
    window = h.session.wait_for_window("^Terrava$", timeout=WINDOW_TIMEOUT)
    h.check(window is not None, "the installed terrava.scr /s opens the saver window")
    if window:
        time.sleep(SETTLE)
        h.session.screenshot(os.path.join(h.out, "installed_saver.png"))
        h.check(proc.poll() is None, "it keeps running without input")
        h.session.key("space")
    h.check(h.session.wait(proc, EXIT_TIMEOUT) == 0, "a key ends it with exit code 0")
    check_visit_enabled(h)
    h.session.reg_add(SETTINGS_KEY, "Speed", "REG_DWORD", "77")
    h.session.reg_add(SETTINGS_KEY, "ShowFPS", "REG_DWORD", "1")
    install(h)
    kept = values(h, SETTINGS_KEY) or {}
    h.check(kept.get("Speed") == 77 and kept.get("ShowFPS") == 1,
            f"installing again keeps the settings ({kept})")
    check_installed(h)
    check_active(h)
    uninstall(h)
    check_removed(h)
    h.check(screensaver(h) == (None, None),
            f"no screensaver is chosen again, as before the first install ({screensaver(h)})")


def activation_is_optional(h):
    choose_screensaver(h, PREVIOUS, "0")
    install(h, "/NOACTIVE")
    h.check(os.path.exists(prefix_path(h, INSTALLED)), "/NOACTIVE still installs terrava.scr")
    h.check(screensaver(h) == (PREVIOUS, "0"), f"/NOACTIVE keeps the screensaver ({screensaver(h)})")
    uninstall(h)
    h.check(screensaver(h) == (PREVIOUS, "0"), f"uninstalling keeps it too ({screensaver(h)})")
    install(h)
    check_active(h)
    choose_screensaver(h, OTHER, "1")   # the user switches to another saver
    uninstall(h)
    check_removed(h)
    h.check(screensaver(h) == (OTHER, "1"),
            f"the uninstaller leaves a screensaver chosen after Terrava alone ({screensaver(h)})")


# ---- the shared prefix ----------------------------------------------------------
class SharedPrefix:
    """What the scenarios change in the prefix the other tests share: the
    screensaver values and the Korvane key, saved here and put back by
    restore()."""

    def __init__(self, h):
        self.screensaver = screensaver(h)
        self.saved = None
        if values(h, KORVANE_KEY) is not None:
            self.saved = export(h, "korvane-saved.reg", KORVANE_KEY.replace("HKCU", "HKEY_CURRENT_USER"))
        h.session.reg_delete_key(KORVANE_KEY)

    def restore(self, h):
        choose_screensaver(h, *self.screensaver)
        h.session.reg_delete_key(KORVANE_KEY)
        if self.saved:
            h.session.run(["regedit", "/S", h.session.to_windows_path(self.saved)], timeout=REG_TIMEOUT)
        h.check(screensaver(h) == self.screensaver, "the prefix's screensaver values are put back")


def main():
    h = Harness(parse_args())
    shared = SharedPrefix(h)
    try:
        for scenario in (install_and_uninstall_leave_the_registry_as_before,
                         installed_saver_runs_and_reinstall_keeps_settings,
                         activation_is_optional):
            print(f"== {scenario.__name__}", flush=True)
            try:
                scenario(h)
            finally:
                if values(h, UNINSTALL_KEY) is not None:
                    print("     removing the installation the scenario left behind")
                    uninstall(h)
    finally:
        shared.restore(h)
    return h.finish()


if __name__ == "__main__":
    raise SystemExit(main())
