"""Names and numbers the whole-program tests share with the product, read
from its own sources so that a test never drifts from a stale copy:

- dialog_ids(): every IDD_/IDB_/IDC_ macro of src/ui/dialog_ids.h;
- setting_value_names(): the registry value names of the settings table
  (src/settings/setting_table.cpp), in table order, which is the order the
  configuration dialog's OK writes them; known_settings() checks a preset's
  names against it;
- settings_key(): the settings key below HKCU, as the product's
  kSettingsKeyPath constant spells it;
- control_label_keys(): the configuration dialog's labelled controls and
  their label keys (src/ui/dialog_labels_win32.cpp), control ids as named there;
- resource_id(name): the number of a data resource of terrava.scr, as the
  product's constant of that name (kLabelResourceId, kDataArchiveResource)
  gives it.

A source that no longer has the expected shape raises ProductTableError, so
the test fails loudly instead of running with an empty table.
"""
import glob
import os
import re

SOURCE_DIR = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
DIALOG_IDS = os.path.join(SOURCE_DIR, "src", "ui", "dialog_ids.h")
SETTING_TABLE = os.path.join(SOURCE_DIR, "src", "settings", "setting_table.cpp")
DIALOG_LABELS = os.path.join(SOURCE_DIR, "src", "ui", "dialog_labels_win32.cpp")


class ProductTableError(Exception):
    pass


def _read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def dialog_ids():
    """{"IDC_VIDEO_MODES": 1000, ...}"""
    ids = {name: int(value) for name, value in
           re.findall(r"^#define\s+(ID[A-Z0-9_]+)\s+(\d+)\b", _read(DIALOG_IDS), re.MULTILINE)}
    if not ids:
        raise ProductTableError(f"no control ids in {DIALOG_IDS}")
    return ids


def setting_value_names():
    """["ShowClock", "TimeFormat", ...] in the table's row order."""
    table = re.search(r"kSettingRows\[\]\s*=\s*\{(.*?)\n\};", _read(SETTING_TABLE), re.DOTALL)
    names = re.findall(r"^\s*\{\s*\"(\w+)\"", table.group(1), re.MULTILINE) if table else []
    if not names:
        raise ProductTableError(f"no setting rows in {SETTING_TABLE}")
    return names


def known_settings(values):
    """values unchanged when every name is a row of the settings table; a
    misspelt name would be a value the saver ignores, so it raises."""
    unknown = sorted(set(values) - set(setting_value_names()))
    if unknown:
        raise ProductTableError(f"not in {SETTING_TABLE}: {', '.join(unknown)}")
    return values


def settings_key():
    r"""The settings key with the HKCU prefix, e.g. HKCU\Software\Korvane\Terrava."""
    pattern = re.compile(r"kSettingsKeyPath\[\]\s*=\s*\"((?:[^\"\\]|\\.)*)\"")
    for path in sorted(glob.glob(os.path.join(SOURCE_DIR, "src", "**", "*.h"), recursive=True)):
        found = pattern.search(_read(path))
        if found:
            return "HKCU\\" + found.group(1).replace("\\\\", "\\")
    raise ProductTableError("no kSettingsKeyPath under src/")


def resource_id(name):
    """The value of `constexpr int name = N;` in a header under src/."""
    pattern = re.compile(r"constexpr\s+int\s+" + re.escape(name) + r"\s*=\s*(\d+)\s*;")
    for path in sorted(glob.glob(os.path.join(SOURCE_DIR, "src", "**", "*.h"), recursive=True)):
        found = pattern.search(_read(path))
        if found:
            return int(found.group(1))
    raise ProductTableError(f"no {name} under src/")


def control_label_keys():
    """[("IDC_VIDEO_GROUP", "video_mode_selection"), ..., ("IDOK", "ok"), ...]"""
    table = re.search(r"kControlLabels\[\]\s*=\s*\{(.*?)\n\};", _read(DIALOG_LABELS), re.DOTALL)
    rows = re.findall(r"\{\s*(ID\w+),\s*\"([^\"]+)\"\s*\}", table.group(1)) if table else []
    if not rows:
        raise ProductTableError(f"no control labels in {DIALOG_LABELS}")
    return rows
