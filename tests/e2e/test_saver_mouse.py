#!/usr/bin/env python3
"""terrava.scr /s with "Exit on Mouse Move": the travel rule.

With MouseExit 1 a move of more than 24 pixels from the window centre ends
the run, to the right and to the left alike, while standing still and a few
small moves do not, nor does the pointer resting far from the centre as the
run starts. A move made while the loader screen shows ends the run as soon
as loading is over: the run is stopped at its first loader screen (see
loading_watch.py), the pointer moved 100 pixels, and the run let go on.
With MouseExit 0 no move ends it.
"""
import sys
import time

from loading_watch import RELAY_ENV, ProgressWatch, relay_of_loading_calls
from saver_harness import EXIT_TIMEOUT, WINDOW_TIMEOUT, run

CENTRE = (512, 384)   # of the 1024 x 768 window: the session's screen in its one mode
REST = (1000, 750)    # where the pointer rests as each run starts
LOADED_EXIT = 1.5     # seconds from the end of loading to the end of the run after a move while loading


def rest_and_configure(h, mouse_exit):
    # The pointer rests far from the centre, under the window that covers
    # the screen: the window appearing there is no movement; the run then
    # centres the cursor.
    h.session.move(*REST)
    h.configure(UseDesktop=0, Width=1024, Height=768, MouseExit=mouse_exit)


def start(h, mouse_exit):
    rest_and_configure(h, mouse_exit)
    proc = h.start_saver()
    h.check(proc is not None, "the saver window appears")
    return proc


def move_by(h, dx, dy):
    h.session.move(CENTRE[0] + dx, CENTRE[1] + dy)


def small_moves_then_right(h):
    proc = start(h, 1)
    if proc is None:
        return
    h.check(h.still_running(proc, 2.0), "standing still does not end it")
    move_by(h, 5, 0)
    time.sleep(1.2)   # past the one-second travel window
    move_by(h, 0, -4)
    h.check(h.still_running(proc, 1.2), "two moves of a few pixels do not end it")
    move_by(h, 30, 0)
    h.check(h.exit_code(proc) == 0, "a move 30 pixels right ends it with exit code 0")


def move_left(h):
    proc = start(h, 1)
    if proc is None:
        return
    move_by(h, -30, 0)
    code = h.exit_code(proc)
    h.check(code == 0, f"a move 30 pixels left ends it with exit code 0 (exit {code})")


def move_up(h):
    proc = start(h, 1)
    if proc is None:
        return
    move_by(h, 0, -30)
    h.check(h.exit_code(proc) == 0, "a move 30 pixels up ends it with exit code 0")


def move_while_loading(h):
    rest_and_configure(h, 1)
    with relay_of_loading_calls(h.session):
        proc = h.session.launch(h.program("terrava.scr"), ["/s"], extra_env=RELAY_ENV)
        watch = ProgressWatch(proc)
        h.check(watch.first_redraw_done.wait(WINDOW_TIMEOUT), "the run stops at its first loader screen")
        h.session.move(REST[0] - 100, REST[1])
        watch.resume()
        code = h.exit_code(proc)
        ended = time.time()
    watch.reader.join(EXIT_TIMEOUT)
    h.check(code == 0, f"a move of 100 pixels while loading ends it with exit code 0 (exit {code})")
    if code == 0 and watch.last_progress_at:
        after = ended - watch.last_progress_at
        h.check(after <= LOADED_EXIT, f"it ends {after:.2f} s after loading (at most {LOADED_EXIT} s)")


def no_mouse_exit(h):
    proc = start(h, 0)
    if proc is None:
        return
    move_by(h, 200, 150)
    time.sleep(0.3)
    move_by(h, -250, -200)
    h.check(h.still_running(proc), "with MouseExit 0 large moves do not end it")
    h.session.key("Return")
    h.check(h.exit_code(proc) == 0, "a key press still ends it with exit code 0")


if __name__ == "__main__":
    sys.exit(run([small_moves_then_right, move_left, move_up, move_while_loading, no_mouse_exit]))
