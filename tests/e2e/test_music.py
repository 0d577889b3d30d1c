#!/usr/bin/env python3
"""Real sound, end to end: the music of a saver run, captured.

ALSA's default device is made to write to a file (an asoundrc with a `file`
plugin over the `null` device, in a HOME of the test's own, so the user's
sound set-up is never touched) and Wine is told to use ALSA. Then:

1. `terrava.scr /s` runs with EnableMusic 1 and Volume 70 until the capture
   holds the whole track and a second more, and is ended with a key. The
   capture must hold the track as `oggdec` decodes it, scaled by the Volume
   twice over (output volume and playback volume: 0.49), from its first frame
   on and across the loop point without a gap. While it runs, one "bas*.tmp"
   file exists in the prefix's temporary folder; after it, none.
2. With EnableMusic 0 the run creates no temporary file and nothing is
   captured.

The capture may run faster than real time (the `null` device never blocks),
which only brings the loop point sooner.
"""

import argparse
import glob
import os
import subprocess
import sys
import time
from array import array

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from product_tables import settings_key  # noqa: E402
from winedriver import WineSession  # noqa: E402

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TRACK = os.path.join(SOURCE, "resources", "data", "music.ogg")
SETTINGS_KEY = settings_key()
DRIVERS_KEY = r"HKCU\Software\Wine\Drivers"
RATE = 44100                # frames per second of the library's output
VOLUME = 70                 # the Volume setting of the music run
WINDOW_TIMEOUT = 180        # seconds until the saver window shows
CAPTURE_LIMIT = 240         # seconds of run time allowed for the track and a second more
QUIET_RUN = 8               # seconds the run without music lasts
EXIT_TIMEOUT = 60           # seconds for the saver to end after the key
TOLERANCE = 3               # sample units: stb_vorbis and libvorbis round differently


def fail(message):
    print("FAILED:", message)
    sys.exit(1)


def library_files(session):
    drive = os.path.join(session.prefix, "drive_c")
    patterns = ["users/*/Temp/bas*.tmp", "users/*/AppData/Local/Temp/bas*.tmp", "windows/temp/bas*.tmp"]
    return sorted(f for p in patterns for f in glob.glob(os.path.join(drive, p), recursive=False))


def read_pcm(path):
    """Interleaved signed 16-bit stereo samples of a raw file."""
    samples = array("h")
    if os.path.exists(path):
        with open(path, "rb") as f:
            data = f.read()
        samples.frombytes(data[: len(data) // 4 * 4])
    return samples


class Capture:
    """A capture file as it grows. The output plays digital silence until the
    track is handed over, and the null device never blocks, so on a loaded
    machine that silence can run to millions of frames before the first
    sound: the checks read the capture from its first sound on."""

    def __init__(self, path):
        self.path = path
        self.silent_bytes = 0     # zero bytes at the start, as far as scanned
        self.sound_found = False

    def silent_frames(self):
        """Frames before the first sound (every frame so far while there is none)."""
        if not self.sound_found and os.path.exists(self.path):
            with open(self.path, "rb") as f:
                f.seek(self.silent_bytes)
                for chunk in iter(lambda: f.read(1 << 20), b""):
                    zeros = len(chunk) - len(chunk.lstrip(b"\0"))
                    self.silent_bytes += zeros
                    if zeros < len(chunk):
                        self.sound_found = True
                        break
        return self.silent_bytes // 4

    def sound_frames(self):
        """Frames captured from the first sound on (0 before it, or while
        there is no file)."""
        silent = self.silent_frames()
        return os.path.getsize(self.path) // 4 - silent if self.sound_found else 0

    def sound(self, frames):
        """Interleaved samples of up to `frames` frames from the first sound on."""
        samples = array("h")
        silent = self.silent_frames()
        if self.sound_found:
            with open(self.path, "rb") as f:
                f.seek(silent * 4)
                data = f.read(frames * 4)
            samples.frombytes(data[: len(data) // 4 * 4])
        return samples


def decoded_track(out_dir):
    raw = os.path.join(out_dir, "track.raw")
    subprocess.run(["oggdec", "-Q", "-R", "-e", "0", "-b", "16", "-s", "1", "-o", raw, TRACK],
                   check=True, timeout=120)
    track = read_pcm(raw)
    if not track:
        fail("oggdec produced nothing")
    return track


def make_home(out_dir, capture):
    home = os.path.join(out_dir, "home")
    os.makedirs(home, exist_ok=True)
    with open(os.path.join(home, ".asoundrc"), "w") as f:
        f.write('pcm.!default {\n  type file\n  slave.pcm "null"\n'
                f'  file "{capture}"\n  format "raw"\n}}\n')
    return home


def run_saver(session, args, env, capture, until_frames, limit):
    """Runs terrava.scr /s until the capture holds until_frames from its
    first sound on (or for `limit` seconds), ends it with a key; returns the
    library files seen while it ran."""
    if os.path.exists(capture):
        os.unlink(capture)
    progress = Capture(capture)
    proc = session.launch(os.path.join(args.bin, "terrava.scr"), ["/s"], extra_env=env)
    seen = set()
    try:
        if not session.wait_for_window("Terrava", timeout=WINDOW_TIMEOUT):
            fail("the saver window did not appear")
        deadline = time.time() + limit
        while time.time() < deadline and proc.poll() is None:
            seen.update(library_files(session))
            if until_frames and progress.sound_frames() >= until_frames:
                break
            time.sleep(0.5)
        seen.update(library_files(session))
        session.screenshot(os.path.join(args.out, "music", "running.png"))
        session.key("space")
        code = session.wait(proc, EXIT_TIMEOUT)
    finally:
        if proc.poll() is None:
            session.wait(proc, 1)
    if code != 0:
        fail(f"terrava.scr /s ended with {code}")
    return seen


def find_start(capture, expected):
    """First frame of the capture where the expected sound begins. The output
    runs before the track is decoded and handed over, so the capture starts
    with silence whose length depends on the machine's speed: the search
    begins at the first sound."""
    probe = 64
    first = next((i // 2 for i, v in enumerate(capture) if abs(v) > 4 * TOLERANCE), None)
    if first is None:
        return None
    begin = max(0, first - probe)
    for start in range(begin, min(len(capture) // 2 - probe, begin + RATE * 2)):
        if all(abs(capture[2 * (start + i) + c] - expected[2 * i + c]) <= TOLERANCE
               for i in range(probe) for c in (0, 1)):
            return start
    return None


def matched_frames(capture, expected, start):
    """Frames from `start` on that follow the looping expected sound."""
    frames = len(expected) // 2
    n = 0
    while 2 * (start + n) + 1 < len(capture):
        i = 2 * (n % frames)
        if (abs(capture[2 * (start + n)] - expected[i]) > TOLERANCE or
                abs(capture[2 * (start + n) + 1] - expected[i + 1]) > TOLERANCE):
            break
        n += 1
    return n


def rms(samples):
    return (sum(v * v for v in samples) / max(1, len(samples))) ** 0.5


def check_music_run(session, args, env, capture, track):
    session.reg_add(SETTINGS_KEY, "EnableMusic", "REG_DWORD", 1)
    session.reg_add(SETTINGS_KEY, "Volume", "REG_DWORD", VOLUME)
    frames = len(track) // 2
    seen = run_saver(session, args, env, capture, frames + RATE, CAPTURE_LIMIT)
    if len(seen) != 1:
        fail(f"expected one bas*.tmp while the music played, saw {sorted(seen)}")
    left = library_files(session)
    if left:
        fail(f"bas*.tmp left behind: {left}")

    sound = Capture(capture)
    captured = sound.sound(frames + RATE)
    if rms(captured) < 100:
        fail(f"no sound captured ({len(captured) // 2} frames)")
    # The library's gain in Q16, applied with rounding, for Volume twice over.
    gain = (VOLUME * VOLUME * 65536 + 5000) // 10000
    expected = array("h", ((v * gain + 32768) >> 16 for v in track))
    start = find_start(captured, expected)
    if start is None:
        fail("the track's first frames are not in the capture")
    matched = matched_frames(captured, expected, start)
    level = rms(captured[2 * start: 2 * (start + min(matched, frames))]) / rms(track[: 2 * min(matched, frames)])
    print(f"capture: {sound.silent_frames()} frames of silence, then {len(captured) // 2} frames read, "
          f"track {frames} frames, starts at frame {start} of them, "
          f"{matched} frames follow the looping track, level {level:.4f} (expected {gain / 65536:.4f})")
    if abs(level - gain / 65536) > 0.005:
        fail(f"level {level:.4f} for Volume {VOLUME}")
    if matched <= frames:
        if len(captured) // 2 - start <= frames:
            print(f"the capture did not reach the loop point within {CAPTURE_LIMIT} s; not checked")
        else:
            fail(f"the capture leaves the track at frame {matched} of {frames}")
    else:
        print(f"loop point: frame {frames - 1} of the track is followed by frame 0; gap 0 samples")


def check_quiet_run(session, args, env, capture):
    session.reg_add(SETTINGS_KEY, "EnableMusic", "REG_DWORD", 0)
    seen = run_saver(session, args, env, capture, 0, QUIET_RUN)
    if seen or library_files(session):
        fail(f"a library file was created without music: {sorted(seen)}")
    if os.path.exists(capture) and os.path.getsize(capture) > 0:
        fail(f"{os.path.getsize(capture)} bytes captured without music")
    print("without music: no temporary file, nothing captured")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine-dir", required=True)
    parser.add_argument("--bin", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    out_dir = os.path.abspath(os.path.join(args.out, "music"))
    os.makedirs(out_dir, exist_ok=True)
    capture = os.path.join(out_dir, "capture.raw")
    env = {"HOME": make_home(out_dir, capture)}
    track = decoded_track(out_dir)

    session = WineSession(args.wine_dir)
    if not session.display:
        fail("no Wine session: start it first")
    session.reg_add(DRIVERS_KEY, "Audio", "REG_SZ", "alsa")
    try:
        check_music_run(session, args, env, capture, track)
        check_quiet_run(session, args, env, capture)
    finally:
        for key, name in ((DRIVERS_KEY, "Audio"), (SETTINGS_KEY, "EnableMusic"), (SETTINGS_KEY, "Volume")):
            session.run(["reg", "delete", key, "/v", name, "/f"], timeout=60, echo=False)
    print("PASSED")
    return 0


if __name__ == "__main__":
    sys.exit(main())
