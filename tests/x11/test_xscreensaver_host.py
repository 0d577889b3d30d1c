#!/usr/bin/env python3
"""The native program under the real host: the xscreensaver daemon.

On an Xvfb of the test's own (-ac, so that another user may connect), the
daemon runs with a private HOME whose .xscreensaver lists only Terrava.
The daemon refuses to launch display modes as root, so when the test runs
as root the daemon, the program (copied into a folder of the test's) and
the HOME belong to the unprivileged user `nobody`. Then:

- `xscreensaver-command -activate` starts terrava, and a screenshot of the
  screen shows the sunlit Earth (the random flight may first pass over the
  night side, so the shots go on until one does, within a limit);
- `xscreensaver-command -deactivate` ends it: no terrava process is left
  after STOP_LIMIT seconds, and its stderr (in the daemon's log) holds no
  X error: the daemon destroys the window as it ends the program, which
  must end quietly.

Usage: test_xscreensaver_host.py TERRAVA OUT_DIR. Every process is ended
by its pid.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from test_x11_program import check, outcome, shoot_until_sunlit, start_xvfb  # noqa: E402

START_LIMIT = 60     # seconds from -activate until terrava runs
STOP_LIMIT = 2.0     # seconds from -deactivate until no terrava is left
DAEMON_START = 3.0   # seconds the daemon takes to take the screen over


def as_user(command, home):
    """command as `nobody` when the test runs as root; runuser would set
    HOME to nobody's own, so env sets the private one again."""
    if os.geteuid() != 0:
        return command
    return ["runuser", "-u", "nobody", "--", "env", f"HOME={home}"] + command


def terrava_pids(program):
    """Pids of processes running the copied program."""
    pids = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                if os.readlink(f"/proc/{entry}/exe") == program:
                    pids.append(int(entry))
            except OSError:
                pass
    return pids


def private_home(scratch, program):
    home = os.path.join(scratch, "home")
    os.makedirs(home)
    with open(os.path.join(home, ".xscreensaver"), "w") as f:
        f.write("mode: one\nselected: 0\ntimeout: 0:30:00\nlock: False\nfade: False\nunfade: False\n"
                "splash: False\ndpmsEnabled: False\n"
                f'programs: GL: "Terrava" {program} -root -speed 100 \\n\n')
    if os.geteuid() == 0:
        subprocess.run(["chown", "-R", "nobody:nogroup", scratch], check=True)
    return home


def main():
    terrava, out = os.path.abspath(sys.argv[1]), sys.argv[2]
    os.makedirs(out, exist_ok=True)
    scratch = tempfile.mkdtemp(prefix="terrava-host-")
    os.chmod(scratch, 0o755)
    program = os.path.join(scratch, "terrava")
    shutil.copy(terrava, program)
    home = private_home(scratch, program)
    xvfb, display = start_xvfb()
    env = dict(os.environ, DISPLAY=display, HOME=home, ASAN_OPTIONS="detect_leaks=0")
    env.pop("XSCREENSAVER_WINDOW", None)
    log = open(os.path.join(out, "xscreensaver.log"), "w")
    daemon = subprocess.Popen(as_user(["xscreensaver", "-no-splash", "-verbose"], home), env=env, start_new_session=True,
                              stdout=log, stderr=subprocess.STDOUT)
    try:
        time.sleep(DAEMON_START)
        subprocess.run(as_user(["xscreensaver-command", "-activate"], home), env=env, timeout=30,
                       stdout=subprocess.DEVNULL)
        deadline = time.monotonic() + START_LIMIT
        while time.monotonic() < deadline and not terrava_pids(program):
            time.sleep(0.5)
        started = bool(terrava_pids(program))
        check(started, "xscreensaver-command -activate starts terrava")
        if not started:
            return outcome()
        check(shoot_until_sunlit(display, os.path.join(out, "x11_host"), 0),
              "the screen under xscreensaver shows the sunlit Earth")
        subprocess.run(as_user(["xscreensaver-command", "-deactivate"], home), env=env, timeout=30,
                       stdout=subprocess.DEVNULL)
        time.sleep(STOP_LIMIT)
        check(not terrava_pids(program), f"-deactivate leaves no terrava process after {STOP_LIMIT} s")
        with open(log.name) as f:
            check("terrava: X error" not in f.read(), "terrava printed no X error")
    finally:
        for pid in terrava_pids(program):
            os.kill(pid, signal.SIGKILL)
        os.killpg(daemon.pid, signal.SIGTERM)
        daemon.wait()
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(scratch, ignore_errors=True)
    return outcome()


if __name__ == "__main__":
    sys.exit(main())
