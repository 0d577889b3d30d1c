#!/usr/bin/env python3
"""Start/stop cycles of terrava.scr /s: every run leaves the machine as it was.

Runs the saver TERRAVA_CYCLES times (default 12; 100 for the long campaign),
ending the runs in turn by a key press (space, Alt, F10 and Alt+F4 in turn),
a left click and a mouse move of 30 pixels (MouseExit is on). The saver runs
in the desktop's mode, so that its window covers the whole screen and the
click lands on it wherever the pointer is. Each run starts with the pointer
resting far from the window's centre and must go on until the input. After
each run: exit code 0, no process of terrava.scr left, no new temporary
audio library file (bas*.tmp) in the prefix, the settings key exactly as
before the run (the saver reads the registry but never writes it), and the
display still in the mode it had.
The exit is quick: the saver's window leaves the screen within 0.25 s of the
input and the process is gone within 1.0 s (medians over the cycles: a
frame the software renderer has begun is finished first, and on a machine
busy with other work one frame can take longer than that).
Prints the start-up and shut-down times at the end.
"""
import glob
import os
import statistics
import sys
import time

from saver_harness import SETTINGS_KEY, SETTLE, run

CYCLES = int(os.environ.get("TERRAVA_CYCLES", "12"))
CENTRE = (512, 384)   # of the saver window, which covers the session's 1024 x 768 screen
REST = (1000, 750)    # where the pointer rests as each run starts: under the window, far from its centre
LOOP_SETTLE = 1.0     # further seconds before the input: loading is over and the loop reads the pointer
ENDINGS = ("key", "click", "motion")
# The key endings in turn: a plain key, then system keys (Alt, F10 and an
# Alt combination), which must end the run like any other key.
KEYS = ("space", "Alt_L", "F10", "alt+F4")


def registry_snapshot(h):
    """The settings key as `reg query` lists it: names, types and data."""
    proc = h.session.launch("reg", ["query", SETTINGS_KEY, "/s"])
    h.session.wait(proc, 60)
    lines = proc.stdout.read().decode("utf-8", "replace").splitlines()
    return sorted(line.strip() for line in lines if line.strip())


def temp_files(h):
    drive = os.path.join(h.session.prefix, "drive_c")
    return set(glob.glob(os.path.join(drive, "users", "**", "bas*.tmp"), recursive=True) +
               glob.glob(os.path.join(drive, "windows", "temp", "bas*.tmp")))


def saver_processes(h):
    """Linux processes of this session's prefix whose program is terrava.scr
    (the Wine process of a run)."""
    mine = b"WINEPREFIX=" + h.session.prefix.encode()
    found = []
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                program = f.read().split(b"\0")[0]
            if not program.lower().endswith(b"terrava.scr"):
                continue
            with open(f"/proc/{pid}/environ", "rb") as f:
                if mine in f.read().split(b"\0"):
                    found.append(int(pid))
        except OSError:
            continue
    return found


def end_run(h, how, cycle):
    if how == "key":
        h.session.key(KEYS[cycle // len(ENDINGS) % len(KEYS)])
    elif how == "click":
        h.session.click(1)
    else:
        h.session.move(CENTRE[0] + 30, CENTRE[1])


def hidden_after(h, since, limit=5.0):
    """Seconds from `since` until no saver window is on screen (polled)."""
    while h.session.find_windows("^Terrava$") and time.time() - since < limit:
        time.sleep(0.01)
    return time.time() - since


def gone(h, deadline_seconds):
    deadline = time.time() + deadline_seconds
    while saver_processes(h) and time.time() < deadline:
        time.sleep(0.2)
    return not saver_processes(h)


def cycles(h):
    h.configure(UseDesktop=1, MouseExit=1, ShowClock=1, ShowFPS=1)
    registry = registry_snapshot(h)
    temps = temp_files(h)
    mode = h.probe().get("adapter0", "")
    starts, stops, hides, failed = [], [], [], 0
    for cycle in range(CYCLES):
        how = ENDINGS[cycle % len(ENDINGS)]
        h.session.move(*REST)   # no movement: the run must not end until the input
        began = time.time()
        proc = h.start_saver()
        if proc is None:
            h.check(False, f"cycle {cycle + 1}: the saver window appears")
            failed += 1
            continue
        starts.append(time.time() - began - SETTLE)
        if not h.still_running(proc, LOOP_SETTLE):
            h.check(False, f"cycle {cycle + 1}: the run goes on until the input "
                    f"(it ended by itself with exit code {h.exit_code(proc)})")
            failed += 1
            continue
        end_run(h, how, cycle)
        ended = time.time()  # xdotool has sent the input
        hides.append(hidden_after(h, ended))
        code = h.exit_code(proc)
        stops.append(time.time() - ended)
        checks = [(code == 0, f"ends by {how} with exit code 0 (got {code})"),
                  (gone(h, 5), "no terrava.scr process is left"),
                  (temp_files(h) <= temps, f"no temporary file is left ({sorted(temp_files(h) - temps)})"),
                  (registry_snapshot(h) == registry, "the settings key is as before"),
                  (h.probe().get("adapter0", "") == mode, "the display mode is as before")]
        bad = [what for ok, what in checks if not ok]
        failed += bool(bad)
        for what in bad:
            h.check(False, f"cycle {cycle + 1}: {what}")
    h.check(failed == 0, f"{CYCLES - failed} of {CYCLES} cycles clean (key, click, motion in turn)")
    if hides:
        h.check(statistics.median(hides) <= 0.25, f"input to window gone: median {statistics.median(hides):.2f} s "
                f"(at most 0.25 s), max {max(hides):.2f} s")
        h.check(statistics.median(stops) <= 1.0, f"input to process end: median {statistics.median(stops):.2f} s "
                f"(at most 1.0 s), max {max(stops):.2f} s")
    if starts:
        print(f"start to window: mean {sum(starts) / len(starts):.1f} s, max {max(starts):.1f} s; "
              f"input to exit: mean {sum(stops) / len(stops):.2f} s, max {max(stops):.2f} s", flush=True)


if __name__ == "__main__":
    sys.exit(run([cycles]))
