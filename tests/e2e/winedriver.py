#!/usr/bin/env python3
"""Wine test driver: every Windows and whole-program test runs through it.

A session is a private Wine prefix under the build folder (never the user's
own) plus an Xvfb server on a free display. `start` creates the prefix when
it is missing and starts Xvfb; `run` starts one Windows program with a time
limit; `stop` ends everything the session started, by process id and through
`wineserver -k`. Every external command has a time limit, so a stuck Wine
process can never hang the test run.

The same functions are a Python API for the whole-program tests
(tests/e2e/test_*.py): launch a program, wait for its window, send keys and
mouse input with xdotool, take screenshots with ImageMagick's `import`, and
read or write the prefix's registry.

Command line:
  winedriver.py --dir DIR start [--screens WxH[,WxH...]]
  winedriver.py --dir DIR run [--timeout S] [--expect-exit N] -- PROGRAM [ARGS...]
  winedriver.py --dir DIR stop
"""

import argparse
import io
import json
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

WINEBOOT_TIMEOUT = 300   # seconds; a fresh prefix takes 20-60 s on two cores
COMMAND_TIMEOUT = 60     # seconds for small helper commands (reg, xdotool, import)


class DriverError(Exception):
    pass


def _log(msg):
    print(f"winedriver: {msg}", file=sys.stderr, flush=True)


class WineSession:
    """A prefix and an X display, described by DIR/session.json."""

    def __init__(self, directory):
        self.dir = os.path.abspath(directory)
        self.prefix = os.path.join(self.dir, "prefix")
        self.state_path = os.path.join(self.dir, "session.json")
        self.state = {}
        if os.path.exists(self.state_path):
            with open(self.state_path) as f:
                self.state = json.load(f)

    # ---- environment -------------------------------------------------------
    @property
    def display(self):
        return self.state.get("display")

    def env(self, extra=None):
        env = dict(os.environ)
        env.update({
            "WINEPREFIX": self.prefix,
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "WINEARCH": "win64",
        })
        if self.display:
            env["DISPLAY"] = self.display
        env.pop("WAYLAND_DISPLAY", None)
        if extra:
            env.update(extra)
        return env

    def _save(self):
        os.makedirs(self.dir, exist_ok=True)
        with open(self.state_path, "w") as f:
            json.dump(self.state, f)

    # ---- lifecycle ---------------------------------------------------------
    def start(self, screens="1024x768"):
        """Starts Xvfb and makes sure the prefix exists. Safe to call twice."""
        self.stop(quiet=True)
        os.makedirs(self.dir, exist_ok=True)
        self._start_xvfb(screens)
        if not os.path.exists(os.path.join(self.prefix, "system.reg")):
            self._create_prefix()
        self._save()

    def _start_xvfb(self, screens):
        args = []
        sizes = screens.split(",")
        for i, size in enumerate(sizes):
            args += ["-screen", str(i), f"{size}x24"]
        if len(sizes) > 1:
            args += ["+xinerama"]
        for number in range(90, 190):
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            proc = subprocess.Popen(
                ["Xvfb", f":{number}", "-nolisten", "tcp", "-noreset", "+extension", "GLX"] + args,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
            deadline = time.time() + 15
            while time.time() < deadline:
                if proc.poll() is not None:
                    break
                if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                    self.state = {"display": f":{number}", "xvfb_pid": proc.pid, "screens": screens}
                    self._save()
                    return
                time.sleep(0.1)
            _kill_group(proc.pid)
        raise DriverError("could not start Xvfb on any display :90..:189")

    def _create_prefix(self):
        _log(f"creating Wine prefix {self.prefix}")
        shutil.rmtree(self.prefix, ignore_errors=True)
        code = self.run(["wineboot", "--init"], timeout=WINEBOOT_TIMEOUT, wine_program=True)
        self.wineserver_wait(timeout=WINEBOOT_TIMEOUT)
        if code != 0 or not os.path.exists(os.path.join(self.prefix, "system.reg")):
            raise DriverError(f"wineboot failed (exit {code})")
        # Crashes print a backtrace and end instead of opening a dialog.
        self.reg_add(r"HKCU\Software\Wine\WineDbg", "ShowCrashDialog", "REG_DWORD", "0")

    def stop(self, quiet=False):
        """Ends every process of the session: Wine's through wineserver -k,
        Xvfb by its process id."""
        if os.path.isdir(self.prefix):
            try:
                subprocess.run(["wineserver", "-k"], env=self.env(), timeout=30,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            except subprocess.TimeoutExpired:
                _log("wineserver -k timed out")
        pid = self.state.get("xvfb_pid")
        if pid:
            _kill_group(pid)
        elif not quiet:
            _log("no Xvfb recorded")
        display = self.state.get("display")
        if display:
            number = display.lstrip(":")
            for path in (f"/tmp/.X{number}-lock", f"/tmp/.X11-unix/X{number}"):
                if os.path.exists(path) and not _pid_alive(pid):
                    try:
                        os.unlink(path)
                    except OSError:
                        pass
        self.state = {}
        if os.path.exists(self.state_path):
            os.unlink(self.state_path)

    def wineserver_wait(self, timeout=COMMAND_TIMEOUT):
        try:
            subprocess.run(["wineserver", "-w"], env=self.env(), timeout=timeout)
        except subprocess.TimeoutExpired:
            _log("wineserver -w timed out; killing the prefix's processes")
            subprocess.run(["wineserver", "-k"], env=self.env(), timeout=30)

    # ---- programs ----------------------------------------------------------
    def process_id(self, name):
        """Linux process id of the process NAME (the start of its name, any
        case) that runs in this session's prefix, or None: Wine runs that
        other sessions on the machine start have prefixes of their own."""
        marker = b"WINEPREFIX=" + self.prefix.encode() + b"\0"
        for pid in os.listdir("/proc"):
            if not pid.isdigit():
                continue
            try:
                with open(f"/proc/{pid}/comm") as c:
                    if not c.read().strip().lower().startswith(name):
                        continue
                with open(f"/proc/{pid}/environ", "rb") as f:
                    if marker in f.read() + b"\0":
                        return int(pid)
            except OSError:
                continue
        return None

    def launch(self, program, args=(), extra_env=None):
        """Starts a Windows program (or a Wine built-in) and returns its Popen."""
        cmd = ["wine", program] + list(args)
        return subprocess.Popen(cmd, env=self.env(extra_env), start_new_session=True,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT)

    def wait(self, proc, timeout):
        """Waits for a launched program; on timeout kills it and returns None.
        Afterwards proc.stdout holds what the program printed and never blocks."""
        try:
            proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            _log(f"time limit of {timeout} s reached; killing {proc.args}")
            _kill_group(proc.pid)
            _drain(proc)
            return None
        _drain(proc)
        return proc.returncode

    def run(self, cmd, timeout, extra_env=None, wine_program=False, echo=True):
        """Runs a Windows program to its end and returns its exit code
        (None when it had to be killed)."""
        proc = self.launch(cmd[0], cmd[1:], extra_env)
        code = self.wait(proc, timeout)
        out = proc.stdout.read().decode("utf-8", "replace") if proc.stdout else ""
        if echo and out:
            sys.stdout.write(out)
            sys.stdout.flush()
        return code

    # ---- registry ----------------------------------------------------------
    def reg_add(self, key, name, kind, value):
        return self.run(["reg", "add", key, "/v", name, "/t", kind, "/d", str(value), "/f"],
                        timeout=COMMAND_TIMEOUT, echo=False)

    def reg_delete_key(self, key):
        return self.run(["reg", "delete", key, "/f"], timeout=COMMAND_TIMEOUT, echo=False)

    def reg_set_dwords(self, key, values, scratch_dir):
        """Replaces key (an HKCU\\... path) with exactly these REG_DWORD values,
        imported from a .reg file written in scratch_dir; no values, no key."""
        self.reg_delete_key(key)
        if not values:
            return
        lines = ["REGEDIT4", "", "[" + key.replace("HKCU\\", "HKEY_CURRENT_USER\\", 1) + "]"]
        lines += [f'"{name}"=dword:{value & 0xFFFFFFFF:08x}' for name, value in values.items()]
        with tempfile.NamedTemporaryFile("w", suffix=".reg", delete=False, dir=scratch_dir) as f:
            f.write("\r\n".join(lines) + "\r\n")
        try:
            self.run(["reg", "import", self.to_windows_path(f.name)], timeout=COMMAND_TIMEOUT)
        finally:
            os.unlink(f.name)

    def reg_query(self, key, name):
        """Returns the value of a REG_DWORD as int, a REG_SZ as str, or None."""
        proc = self.launch("reg", ["query", key, "/v", name])
        self.wait(proc, COMMAND_TIMEOUT)
        text = proc.stdout.read().decode("utf-8", "replace")
        for line in text.splitlines():
            parts = line.split()
            if len(parts) >= 3 and parts[0] == name:
                if parts[1] == "REG_DWORD":
                    return int(parts[2], 16)
                return " ".join(parts[2:])
        return None

    # ---- X input and screenshots ------------------------------------------
    def x(self, *cmd, timeout=COMMAND_TIMEOUT):
        return subprocess.run(list(cmd), env=self.env(), timeout=timeout,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)

    def find_windows(self, name):
        res = self.x("xdotool", "search", "--onlyvisible", "--name", name)
        return [w for w in res.stdout.decode().split() if w]

    def wait_for_window(self, name, timeout=60):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = self.find_windows(name)
            if found:
                return found[0]
            time.sleep(0.5)
        return None

    def key(self, keysym):
        self.x("xdotool", "key", keysym)

    def key_up(self, keysym):
        self.x("xdotool", "keyup", keysym)

    def click(self, button=1):
        self.x("xdotool", "click", str(button))

    def move(self, x, y):
        self.x("xdotool", "mousemove", str(x), str(y))

    def move_relative(self, dx, dy):
        self.x("xdotool", "mousemove_relative", "--", str(dx), str(dy))

    def screenshot(self, path):
        os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
        self.x("import", "-window", "root", path)
        return os.path.exists(path)

    def to_windows_path(self, path):
        return "Z:" + os.path.abspath(path).replace("/", "\\")


def _drain(proc, grace=0.2):
    """Replaces proc.stdout by what is left in the pipe. Wine's own service
    processes, started by the first program of a prefix, inherit the pipe and
    keep it open, so reading it to its end could wait forever. The program has
    ended, so all it wrote is already in the pipe: read that, and stop at the
    end of the pipe or after `grace` seconds without more."""
    out = proc.stdout
    if out is None or isinstance(out, io.BytesIO):
        return
    os.set_blocking(out.fileno(), False)
    chunks = []
    deadline = time.time() + grace
    while True:
        try:
            data = out.read()
        except (BlockingIOError, ValueError):
            data = None
        if data:
            chunks.append(data)
            continue
        if data == b"":
            break
        remaining = deadline - time.time()
        if remaining <= 0:
            break
        select.select([out.fileno()], [], [], remaining)
    out.close()
    proc.stdout = io.BytesIO(b"".join(chunks))


def _pid_alive(pid):
    if not pid:
        return False
    try:
        os.kill(pid, 0)
        return True
    except OSError:
        return False


def _kill_group(pid):
    """Ends a process group started with start_new_session: TERM, then KILL."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(pid, sig)
        except OSError:
            return
        deadline = time.time() + 3
        while time.time() < deadline and _pid_alive(pid):
            try:
                os.waitpid(pid, os.WNOHANG)
            except ChildProcessError:
                pass
            time.sleep(0.1)
        if not _pid_alive(pid):
            return


def main():
    parser = argparse.ArgumentParser(description="Wine test driver")
    parser.add_argument("--dir", required=True, help="session folder (prefix and state)")
    sub = parser.add_subparsers(dest="command", required=True)
    p_start = sub.add_parser("start")
    p_start.add_argument("--screens", default="1024x768")
    p_run = sub.add_parser("run")
    p_run.add_argument("--timeout", type=float, default=300)
    p_run.add_argument("--expect-exit", type=int, default=0)
    p_run.add_argument("program", nargs=argparse.REMAINDER)
    sub.add_parser("stop")
    args = parser.parse_args()

    session = WineSession(args.dir)
    try:
        if args.command == "start":
            session.start(args.screens)
            return 0
        if args.command == "stop":
            session.stop()
            return 0
        program = args.program[1:] if args.program[:1] == ["--"] else args.program
        if not program:
            parser.error("run needs a program")
        if not session.display:
            raise DriverError("no session: run `start` first")
        code = session.run(program, timeout=args.timeout)
        if code is None:
            _log("FAILED: time limit reached")
            return 124
        if code != args.expect_exit:
            _log(f"FAILED: exit code {code}, expected {args.expect_exit}")
            return 1
        return 0
    except (DriverError, subprocess.TimeoutExpired) as e:
        _log(f"error: {e}")
        return 1


if __name__ == "__main__":
    sys.exit(main())
