"""Following a saver run's loading through Wine's relay trace.

Loading lasts well under a second here, too short to catch reliably by
polling the screen, so a run is watched through Wine's relay trace of two
calls: user32.SendMessageA (the loading-progress message 0x402) and
gdi32.SwapBuffers. relay_of_loading_calls(session) limits the relay trace to
those two calls while a scenario runs; a saver launched with RELAY_ENV then
writes the trace, and a ProgressWatch reads it. When the first progress
message has returned (its loader screen drawn and swapped), the watch stops
the process group (SIGSTOP), so that a test can look at the loader screen or
give input while loading is under way, and resume() lets it go on (SIGCONT).
"""
import contextlib
import os
import re
import signal
import threading
import time

from winedriver import COMMAND_TIMEOUT

DEBUG_KEY = r"HKCU\Software\Wine\Debug"
TRACED_CALLS = "user32.SendMessageA;gdi32.SwapBuffers"
RELAY_ENV = {"WINEDEBUG": "-all,+relay"}

# Relay trace lines: "0024:Call user32.SendMessageA(0002004e,00000402,...)",
# "0024:Ret  user32.SendMessageA() retval=...", and the same for SwapBuffers.
TRACE_LINE = re.compile(r"^([0-9a-f]+):(Call|Ret) +(user32\.SendMessageA|gdi32\.SwapBuffers)\((.*?)\)")


@contextlib.contextmanager
def relay_of_loading_calls(session):
    """Limits Wine's relay trace to the two calls while the block runs."""
    session.reg_add(DEBUG_KEY, "RelayInclude", "REG_SZ", TRACED_CALLS)
    try:
        yield
    finally:
        session.run(["reg", "delete", DEBUG_KEY, "/v", "RelayInclude", "/f"], timeout=COMMAND_TIMEOUT, echo=False)


class ProgressWatch:
    """Reads the relay trace of a launched saver on a thread of its own (so
    the pipe never fills), stops the process group once the first progress
    message has returned, counts the swaps inside each progress message and
    notes when the last progress message returned (time.time() seconds)."""

    def __init__(self, proc):
        self.proc = proc
        self.first_redraw_done = threading.Event()
        self.thread_id = None       # Wine thread id of the saver's loading thread
        self.in_progress = False    # inside SendMessageA(..., 0x402, ...)
        self.swaps_per_message = []
        self.last_progress_at = None
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for raw in self.proc.stdout:
            match = TRACE_LINE.match(raw.decode("utf-8", "replace"))
            if match:
                self._step(*match.groups())

    def _step(self, thread_id, kind, call, args):
        if call == "user32.SendMessageA":
            if kind == "Call" and args.split(",")[1:2] == ["00000402"]:
                self.thread_id = self.thread_id or thread_id
                if thread_id == self.thread_id:
                    self.in_progress = True
                    self.swaps_per_message.append(0)
            elif kind == "Ret" and thread_id == self.thread_id and self.in_progress:
                self.in_progress = False
                self.last_progress_at = time.time()
                if not self.first_redraw_done.is_set():
                    os.killpg(self.proc.pid, signal.SIGSTOP)
                    self.first_redraw_done.set()
        elif kind == "Call" and thread_id == self.thread_id and self.in_progress:
            self.swaps_per_message[-1] += 1

    def resume(self):
        os.killpg(self.proc.pid, signal.SIGCONT)
