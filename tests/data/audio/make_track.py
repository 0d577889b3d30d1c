#!/usr/bin/env python3
"""Writes the generated music track: a slow arpeggio of soft sine notes
(A minor pentatonic, with a fifth above on the right channel), 16-bit stereo
44100 Hz, encoded with oggenc. Every note overlaps the next, so the sound
never falls silent, not even at the loop point.

usage: make_track.py OUT.ogg [SECONDS] [QUALITY]
"""
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 44100
NOTES = [220.0, 261.63, 293.66, 329.63, 392.0, 440.0, 392.0, 329.63]  # Hz
AMPLITUDE = 0.35  # of full scale, per channel


def frames(seconds):
    count = int(seconds * RATE)
    note_len = count / len(NOTES)
    for i in range(count):
        t = i / RATE
        k = int(i / note_len)
        # The current note and the tail of the one before, crossfaded: the
        # loop wraps the last note into the first the same way.
        phase = (i - k * note_len) / note_len
        cur, prev = NOTES[k], NOTES[k - 1]
        left = (math.sin(2 * math.pi * cur * t) * min(1.0, phase * 4) +
                math.sin(2 * math.pi * prev * t) * max(0.0, 1 - phase * 4))
        right = (math.sin(2 * math.pi * cur * 1.5 * t) * min(1.0, phase * 4) +
                 math.sin(2 * math.pi * prev * 1.5 * t) * max(0.0, 1 - phase * 4))
        yield (int(AMPLITUDE * 32767 * left), int(AMPLITUDE * 32767 * right))


def main():
    out = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 6.0
    quality = sys.argv[3] if len(sys.argv) > 3 else "4"
    with tempfile.TemporaryDirectory() as tmp:
        wav_path = os.path.join(tmp, "track.wav")
        with wave.open(wav_path, "wb") as w:
            w.setnchannels(2)
            w.setsampwidth(2)
            w.setframerate(RATE)
            w.writeframes(b"".join(struct.pack("<hh", l, r) for l, r in frames(seconds)))
        subprocess.run(["oggenc", "-Q", "-q", quality, "--serial", "1", "-o", out, wav_path],
                       check=True, timeout=120)


if __name__ == "__main__":
    main()
