"""The music: a calm ambient loop of 96 seconds, written as 16-bit stereo
WAV (build_assets.sh encodes it to Ogg Vorbis with a fixed stream serial).

The loop is seamless by construction: every tone has a whole number of
cycles in the loop's length, every swell and cross-fade is a periodic
function of time, the wind is noise made from a spectrum of the loop's
length (so it is periodic), decaying chimes that run past the end wrap
round to the start, and the reverb is a circular convolution. Playing the
end into the start therefore continues the sound exactly.

Content: a slow progression of four pad chords (D minor 9, B flat major 7,
F major add 9, C 6/9 sus), 24 seconds each with long cross-fades, over a D
drone, with soft wind and a few high chimes from the chords' notes.
Levels: about -16 dBFS RMS, peaks below -1 dBFS.
"""

import struct

import numpy as np

import noise

RATE = 44100
SECONDS = 96
N = RATE * SECONDS
A4 = 440.0
CHORDS = [  # MIDI notes
    [50, 57, 60, 64, 65, 69],   # D minor 9: D3 A3 C4 E4 F4 A4
    [46, 53, 57, 62, 65, 69],   # B flat major 7: Bb2 F3 A3 D4 F4 A4
    [53, 60, 64, 65, 67, 72],   # F major add 9: F3 C4 E4 F4 G4 C5
    [48, 55, 62, 64, 67, 69],   # C 6/9 sus: C3 G3 D4 E4 G4 A4
]
DRONE = [38, 45]               # D2, A2
HARMONICS = [1.0, 0.45, 0.22, 0.10, 0.05]
TARGET_RMS = 10 ** (-16 / 20)
PEAK_LIMIT = 10 ** (-1.5 / 20)
SEED = 96


def cycles(frequency):
    """Whole cycles per loop nearest to a frequency: the tone repeats exactly."""
    return max(1, int(round(frequency * SECONDS)))


def midi_frequency(note):
    return A4 * 2 ** ((note - 69) / 12)


def fraction(index, stream):
    i = np.array([index], dtype=np.int64)
    return float(noise._hash(i, np.array([stream]), np.array([3]), SEED)[0])


def phase_time():
    return np.arange(N, dtype=np.float64) / N  # 0..1 once round the loop


def tone(frequency, x, phase, brightness):
    """A soft pad voice: a few harmonics, each a whole number of cycles."""
    out = np.zeros(N)
    for k, amplitude in enumerate(HARMONICS, start=1):
        out += amplitude * brightness ** (k - 1) * np.sin(2 * np.pi * cycles(frequency * k) * x + phase * k)
    return out


def chord_weights(x):
    """Periodic cross-fade weights of the chords, summing to one."""
    raw = [(0.5 + 0.5 * np.cos(2 * np.pi * (x - i / len(CHORDS)))) ** 6 for i in range(len(CHORDS))]
    total = sum(raw)
    return [w / total for w in raw]


def pads(x):
    left, right = np.zeros(N), np.zeros(N)
    for c, (notes, weight) in enumerate(zip(CHORDS, chord_weights(x))):
        for n, note in enumerate(notes):
            f = midi_frequency(note)
            pan = 0.5 + 0.35 * (fraction(c * 16 + n, 1) - 0.5) * 2
            swell = 0.75 + 0.25 * np.sin(2 * np.pi * (1 + n % 3) * x + 6.283 * fraction(c * 16 + n, 2))
            for side, detune in ((0, -1), (1, 1)):  # two slightly detuned copies: a slow chorus
                voice = tone(f + detune * 0.12, x, 6.283 * fraction(c * 16 + n, 3 + side), 0.55)
                gain = weight * swell * (1 - pan if side == 0 else pan) / len(notes)
                (left if side == 0 else right)[:] += voice * gain
    return left, right


def drone(x):
    out = np.zeros(N)
    for i, note in enumerate(DRONE):
        breath = 0.8 + 0.2 * np.sin(2 * np.pi * 2 * x + i)
        out += 0.35 * tone(midi_frequency(note), x, 0.7 * i, 0.35) * breath
    return out


def periodic_noise(low, high, stream):
    """Band-limited noise whose spectrum has the loop's length: it repeats."""
    bins = np.arange(N // 2 + 1) * RATE / N
    shape = np.exp(-0.5 * (np.log(np.maximum(bins, 1.0) / np.sqrt(low * high)) / np.log(high / low) * 2.5) ** 2)
    i = np.arange(len(bins), dtype=np.int64)
    phases = noise._hash(i, np.full_like(i, stream), np.zeros_like(i), SEED) * 2 * np.pi
    signal = np.fft.irfft(shape * np.exp(1j * phases), n=N)
    return signal / np.sqrt(np.mean(signal ** 2))


def wind(x):
    gust = 0.5 + 0.5 * np.sin(2 * np.pi * 3 * x) * np.sin(2 * np.pi * 5 * x + 1.3)
    return (periodic_noise(250, 1400, 1) * gust * 0.05, periodic_noise(250, 1400, 2) * gust * 0.05)


def chimes():
    """Sparse high notes from the chord playing at their time; tails that run
    past the end of the loop wrap round to the start."""
    left, right = np.zeros(N), np.zeros(N)
    t = np.arange(int(RATE * 9)) / RATE
    for i in range(14):
        start = (i + 0.35 * fraction(i, 10)) / 14
        chord = CHORDS[int(round(start * len(CHORDS))) % len(CHORDS)]
        note = chord[2 + int(fraction(i, 11) * (len(chord) - 2))] + 12
        f = midi_frequency(note)
        ring = (np.sin(2 * np.pi * f * t) + 0.3 * np.sin(2 * np.pi * 2.01 * f * t)) * np.exp(-t / 1.6)
        ring *= 1 - np.exp(-t / 0.01)
        index = (int(start * N) + np.arange(len(t))) % N
        pan = fraction(i, 12)
        np.add.at(left, index, ring * 0.06 * (1 - pan))
        np.add.at(right, index, ring * 0.06 * pan)
    return left, right


def reverb(signal, stream):
    """Circular convolution with 3 s of decaying noise (a hall's tail)."""
    length = RATE * 3
    i = np.arange(length, dtype=np.int64)
    tail = (noise._hash(i, np.full_like(i, stream), np.ones_like(i), SEED) - 0.5) * np.exp(-np.arange(length) / (RATE * 0.9))
    response = np.zeros(N)
    response[:length] = tail
    response /= np.sqrt(np.sum(response ** 2))
    return np.fft.irfft(np.fft.rfft(signal) * np.fft.rfft(response), n=N)


def mix():
    x = phase_time()
    pad_l, pad_r = pads(x)
    low = drone(x)
    wind_l, wind_r = wind(x)
    chime_l, chime_r = chimes()
    dry_l = pad_l + 0.8 * low + wind_l + chime_l
    dry_r = pad_r + 0.8 * low + wind_r + chime_r
    left = 0.55 * dry_l + 0.8 * reverb(dry_l, 21)
    right = 0.55 * dry_r + 0.8 * reverb(dry_r, 22)
    stereo = np.stack([left, right], axis=1)
    stereo *= TARGET_RMS / np.sqrt(np.mean(stereo ** 2))
    peak = np.max(np.abs(stereo))
    if peak > PEAK_LIMIT:
        stereo *= PEAK_LIMIT / peak
    return stereo


def write_wav(path, stereo):
    data = np.clip(np.rint(stereo * 32767), -32768, 32767).astype("<i2").tobytes()
    header = struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + len(data), b"WAVE", b"fmt ", 16, 1, 2, RATE,
                         RATE * 4, 4, 16, b"data", len(data))
    with open(path, "wb") as f:
        f.write(header + data)


def build(path):
    write_wav(path, mix())
