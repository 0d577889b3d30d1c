"""Shared steps of the whole-program tests of terrava.scr under Wine.

The tests run in the one Wine session of the ctest run (its `wine` fixture
starts it). Each scenario writes the settings it needs into the registry,
starts the saver, looks at its windows through window_probe.exe (which
reports them as Win32 sees them), sends X input with xdotool and checks
how the process ends. Every wait has a time limit, and every process a
scenario starts is ended before the next one.
"""
import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import winedriver  # noqa: E402
from product_tables import known_settings, resource_id, settings_key  # noqa: E402

SETTINGS_KEY = settings_key()
WINDOW_TIMEOUT = 30   # seconds for the saver window to appear
EXIT_TIMEOUT = 10     # seconds for the saver to end after input
SETTLE = 1.0          # seconds after the window appears: loading done, loop running


def parse_args():
    ap = argparse.ArgumentParser()
    ap.add_argument("--wine-dir", required=True)
    ap.add_argument("--bin", required=True)
    ap.add_argument("--out", required=True)
    return ap.parse_args()


class Harness:
    def __init__(self, args):
        self.session = winedriver.WineSession(args.wine_dir)
        if not self.session.display:
            raise SystemExit("no Wine session: run the wine_session_start test first")
        self.bin = os.path.abspath(args.bin)
        self.out = os.path.abspath(args.out)
        os.makedirs(self.out, exist_ok=True)
        self.failures = []

    # ---- checks ------------------------------------------------------------
    def check(self, condition, what):
        print(("ok   " if condition else "FAIL ") + what, flush=True)
        if not condition:
            self.failures.append(what)

    def finish(self):
        if self.failures:
            print(f"{len(self.failures)} check(s) failed")
            return 1
        print("all checks passed")
        return 0

    # ---- programs ----------------------------------------------------------
    def program(self, name):
        return os.path.join(self.bin, name)

    def configure(self, **values):
        """Empties the settings key, then stores the given DWORD values (one
        regedit import, so one Wine start however many values)."""
        key = SETTINGS_KEY.replace("HKCU", "HKEY_CURRENT_USER")
        lines = ["REGEDIT4", "", f"[-{key}]", "", f"[{key}]"]
        lines += [f'"{name}"=dword:{value:08x}' for name, value in known_settings(values).items()]
        path = os.path.join(self.out, "settings.reg")
        with open(path, "w", newline="\r\n") as f:
            f.write("\n".join(lines) + "\n")
        self.session.run(["regedit", "/s", self.session.to_windows_path(path)], timeout=60, echo=False)

    def start_saver(self, switch="/s", program=None):
        """Starts the saver (terrava.scr, or the copy at path program) and
        waits until its window is up and the frame loop runs. Returns the
        process, or None when no window came."""
        self.check(not self.session.find_windows("^Terrava$"), "no saver window is left from before")
        proc = self.session.launch(program or self.program("terrava.scr"), [switch])
        if self.session.wait_for_window("^Terrava$", timeout=WINDOW_TIMEOUT) is None:
            self.session.wait(proc, 1)
            return None
        time.sleep(SETTLE)
        return proc

    def output_of(self, program, args=(), timeout=30):
        proc = self.session.launch(self.program(program), list(args))
        self.session.wait(proc, timeout)
        return proc.stdout.read().decode("utf-8", "replace")

    def probe(self, *args):
        """window_probe.exe's lines as {first word: rest of the line}."""
        lines = self.output_of("window_probe.exe", args).splitlines()
        return {line.split(" ", 1)[0]: line.split(" ", 1)[1] if " " in line else "" for line in lines if line}

    def still_running(self, proc, seconds=1.5):
        time.sleep(seconds)
        return proc.poll() is None

    def exit_code(self, proc):
        """Exit code once the saver ends by itself; None (and the process
        killed) when it does not end in time."""
        return self.session.wait(proc, EXIT_TIMEOUT)


def resource_copy(session, bin_dir, copy, resource, data):
    """Makes copy: terrava.scr of bin_dir with its data resource named
    resource (a constant of the product) holding the file data. True when
    resource_swap.exe made it."""
    proc = session.launch(os.path.join(bin_dir, "resource_swap.exe"),
                          [session.to_windows_path(os.path.join(bin_dir, "terrava.scr")),
                           session.to_windows_path(copy), str(resource_id(resource)), session.to_windows_path(data)])
    return session.wait(proc, winedriver.COMMAND_TIMEOUT) == 0


def run(scenarios):
    """Runs each scenario(harness) in order; returns the process exit code."""
    h = Harness(parse_args())
    for scenario in scenarios:
        print(f"== {scenario.__name__}", flush=True)
        scenario(h)
    return h.finish()
