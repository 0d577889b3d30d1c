#!/usr/bin/env python3
"""The native program terrava under Xvfb, the way xscreensaver runs it.

Every run is time-limited and ended by its pid:

- `terrava -root` for RUN_SECONDS draws frames (its -fps report counts the
  buffer swaps) and one of the screenshots taken meanwhile shows the sunlit
  Earth (the flight is random, so the run may go on up to SUNLIT_LIMIT
  seconds for it); SIGTERM then ends it within STOP_LIMIT seconds with exit
  code 0, and no X error was printed;
- with XSCREENSAVER_WINDOW naming a window the test made (xev's), it draws
  into that window, keeps drawing after a key press there and after the
  window is resized, and SIGINT ends it with exit code 0;
- `terrava -window` ends with exit code 0 on a key press in its window;
- `terrava -root -music -volume 70` plays through SDL2 into ALSA's file
  plugin (an asoundrc in a HOME of the test's own): the capture, from its
  first sound on (silence before it lasts as long as the start takes), is the
  track as oggdec decodes it, at the Windows player's level (Volume twice
  over), across the loop point without a gap;
- a bad option prints the usage line and exits 1.

Usage: test_x11_program.py TERRAVA OUT_DIR. Screenshots stay in OUT_DIR.
"""

import os
import re
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "e2e"))
import test_music  # noqa: E402  (the track decoding and capture matching of the Windows music test)

WIDTH, HEIGHT = 800, 600       # Xvfb screen, pixels
RUN_SECONDS = 10               # of the -root run at the least
SUNLIT_LIMIT = 40              # seconds the -root run may go on until the day side shows
SHOT_INTERVAL = 2.0            # seconds between its screenshots
STOP_LIMIT = 0.5               # seconds from SIGTERM to the exit
COMMAND_TIMEOUT = 30           # seconds for any helper command
LIT = 90                       # channel mean above which a pixel is sunlit surface or cloud
MIN_LIT, MAX_LIT = 0.02, 0.75  # share of lit pixels of a frame showing the sunlit Earth
SAMPLE = 7                     # every SAMPLE-th pixel is counted
VOLUME = 70                    # of the music run
MUSIC_LIMIT = 60               # seconds the music run may take to capture the track and a second more

failures = []


def check(condition, message):
    print(("ok   " if condition else "FAIL ") + message, flush=True)
    if not condition:
        failures.append(message)


def outcome():
    """Prints the summary line; the exit code of the test."""
    print(f"{len(failures)} check(s) failed" if failures else "all checks passed", flush=True)
    return 1 if failures else 0


def start_xvfb():
    """Xvfb on a free display; returns (process, ':N')."""
    read, write = os.pipe()
    proc = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", f"{WIDTH}x{HEIGHT}x24", "-ac",
                             "-nolisten", "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as f:
        number = f.readline().strip()
    return proc, ":" + number


def rgb_of(display, window, path):
    """Screenshot of window as (width, height, rgb bytes); saved as path too."""
    subprocess.run(["import", "-display", display, "-window", window, path], timeout=COMMAND_TIMEOUT, check=True)
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True,
                          timeout=COMMAND_TIMEOUT, check=True).stdout.split()
    rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True,
                         timeout=COMMAND_TIMEOUT, check=True).stdout
    return int(size[0]), int(size[1]), rgb


def sunlit_earth(rgb):
    """A planet-sized bright area, blue and green rather than red."""
    lit, total, colour = 0, 0, [0, 0, 0]
    for i in range(0, len(rgb) - 2, 3 * SAMPLE):
        total += 1
        r, g, b = rgb[i], rgb[i + 1], rgb[i + 2]
        if r + g + b > 3 * LIT:
            lit += 1
            colour = [colour[0] + r, colour[1] + g, colour[2] + b]
    r, g, b = (c / max(lit, 1) for c in colour)
    return MIN_LIT <= lit / total <= MAX_LIT and b >= r and g >= 0.8 * r


def shoot_until_sunlit(display, path_stem, least_seconds):
    """Screenshots of the root window, SHOT_INTERVAL apart, as path_stem_N.png;
    whether one showed the sunlit Earth. The flight is random (seeded from
    the clock) and may stay over the night side for a while, so the shots go
    on past least_seconds, up to SUNLIT_LIMIT, until one shows the day side."""
    start = time.monotonic()
    sunlit = False
    n = 0
    while True:
        time.sleep(SHOT_INTERVAL)
        sunlit = sunlit_earth(rgb_of(display, "root", f"{path_stem}_{n}.png")[2]) or sunlit
        n += 1
        elapsed = time.monotonic() - start
        if elapsed >= least_seconds and (sunlit or elapsed >= SUNLIT_LIMIT):
            return sunlit


def drawn(rgb):
    """Something of the scene: more than a few distinct brightness levels."""
    return len({(rgb[i] + rgb[i + 1] + rgb[i + 2]) // 48 for i in range(0, len(rgb) - 2, 3 * SAMPLE)}) >= 4


def stop(proc, sig):
    """Sends sig; returns (exit code or None, seconds to the exit)."""
    sent = time.monotonic()
    proc.send_signal(sig)
    try:
        code = proc.wait(timeout=5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
        return None, time.monotonic() - sent
    return code, time.monotonic() - sent


def launch(terrava, display, args, env_extra=None):
    env = dict(os.environ, DISPLAY=display, ASAN_OPTIONS="detect_leaks=0")
    env.pop("XSCREENSAVER_WINDOW", None)
    env.update(env_extra or {})
    return subprocess.Popen([terrava] + args, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)


def root_run(terrava, display, out):
    proc = launch(terrava, display, ["-root", "-fps", "-speed", "100", "-no-music"])
    sunlit = shoot_until_sunlit(display, os.path.join(out, "x11_root"), RUN_SECONDS)
    check(proc.poll() is None, "terrava -root keeps running without input")
    code, seconds = stop(proc, signal.SIGTERM)
    _, err = proc.communicate()
    frames = re.search(r"(\d+) frames in", err)
    print(f"note -root: {err.strip()}; exit {seconds:.2f} s after SIGTERM", flush=True)
    check(frames is not None and int(frames.group(1)) > 0, "terrava -root draws and swaps frames")
    check(sunlit, "a screenshot of the root window shows the sunlit Earth")
    check(code == 0 and seconds <= STOP_LIMIT, f"SIGTERM ends it within {STOP_LIMIT} s with exit code 0")
    check("X error" not in err, "it prints no X error")


def xscreensaver_window_run(terrava, display, out):
    env = dict(os.environ, DISPLAY=display)
    host = subprocess.Popen(["xev", "-geometry", "400x300+0+0"], env=env, stdout=subprocess.PIPE, text=True)
    window = None
    for line in host.stdout:
        found = re.search(r"Outer window is (0x[0-9a-fA-F]+)", line)
        if found:
            window = found.group(1)
            break
    check(window is not None, "xev made a window to host the display mode")
    if window is None:
        host.kill()
        return
    proc = launch(terrava, display, [], {"XSCREENSAVER_WINDOW": window})
    time.sleep(4)
    subprocess.run(["xdotool", "key", "--window", window, "Escape"], env=env, timeout=COMMAND_TIMEOUT)
    subprocess.run(["xdotool", "windowsize", window, "320", "320"], env=env, timeout=COMMAND_TIMEOUT)
    time.sleep(3)
    width, height, rgb = rgb_of(display, window, os.path.join(out, "x11_hosted.png"))
    check(proc.poll() is None, "under XSCREENSAVER_WINDOW a key press does not end it")
    check((width, height) == (320, 320) and drawn(rgb), "it draws into the hosted window after a resize")
    code, seconds = stop(proc, signal.SIGINT)
    check(code == 0 and seconds <= STOP_LIMIT, f"SIGINT ends it within {STOP_LIMIT} s with exit code 0")
    host.kill()
    host.wait()


def own_window_run(terrava, display):
    env = dict(os.environ, DISPLAY=display)
    proc = launch(terrava, display, ["-window", "-no-music"])
    time.sleep(4)
    found = subprocess.run(["xdotool", "search", "--name", "^Terrava$"], env=env, capture_output=True, text=True,
                           timeout=COMMAND_TIMEOUT).stdout.split()
    check(len(found) == 1, "terrava -window opens one window named Terrava")
    if found:
        subprocess.run(["xdotool", "key", "--window", found[0], "space"], env=env, timeout=COMMAND_TIMEOUT)
    try:
        code = proc.wait(timeout=5)
    except subprocess.TimeoutExpired:
        proc.kill()
        code = None
    check(code == 0, "a key press in its own window ends it with exit code 0")


def music_run(terrava, display, out):
    home = os.path.join(out, "home")
    capture = os.path.join(out, "capture.raw")
    if os.path.exists(capture):
        os.unlink(capture)
    test_music.make_home(out, capture)
    track = test_music.decoded_track(out)
    frames = len(track) // 2
    proc = launch(terrava, display, ["-root", "-music", "-volume", str(VOLUME)],
                  {"HOME": home, "SDL_AUDIODRIVER": "alsa"})
    sound = test_music.Capture(capture)
    deadline = time.monotonic() + MUSIC_LIMIT
    while time.monotonic() < deadline and proc.poll() is None:
        if sound.sound_frames() >= frames + test_music.RATE:
            break
        time.sleep(0.1)
    code, _ = stop(proc, signal.SIGTERM)
    captured = sound.sound(frames + test_music.RATE)  # the null device never blocks: the rest is more loops
    silent = sound.silent_frames()
    os.unlink(capture)
    gain = (VOLUME * VOLUME * 65536 + 5000) // 10000
    expected = test_music.array("h", ((v * gain + 32768) >> 16 for v in track))
    start = test_music.find_start(captured, expected)
    matched = test_music.matched_frames(captured, expected, start) if start is not None else 0
    print(f"note music: {silent} frames of silence, then {len(captured) // 2} read, track {frames}, "
          f"start {start}, {matched} follow it", flush=True)
    check(code == 0 and matched > frames, "-music plays the looping track at the Volume's level through SDL2")


def bad_option(terrava, display):
    proc = launch(terrava, display, ["-speed", "fast"])
    _, err = proc.communicate(timeout=COMMAND_TIMEOUT)
    check(proc.returncode == 1 and "usage: terrava" in err, "a bad option prints the usage line and exits 1")


def main():
    terrava, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    xvfb, display = start_xvfb()
    try:
        bad_option(terrava, display)
        root_run(terrava, display, out)
        xscreensaver_window_run(terrava, display, out)
        own_window_run(terrava, display)
        music_run(terrava, display, out)
    finally:
        xvfb.terminate()
        xvfb.wait()
    return outcome()


if __name__ == "__main__":
    sys.exit(main())
