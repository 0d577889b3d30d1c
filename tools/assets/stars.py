"""The star panel textures stars.jpg and stars2.jpg (1024 x 1024 each).

The first-pass scene hangs eight large panels round the viewer (four of each
texture) that overlap one another, so each picture fades out towards its
rim: where panels overlap the fading halves add up to an even density, and
no panel edge shows. stars.jpg holds many faint, nearly white stars in
loose clumps; stars2.jpg fewer, brighter ones in star colours, the
brightest with a soft halo. Positions and brightnesses come from a fixed
integer hash, so the pictures never change between runs.
"""

import os

import numpy as np

import noise
import texture_files as tf

SIZE = 1024
FAINT = dict(count=5200, seed=11, brightest=0.95, slope=1.9, halo=0.0, colour=0.25)
BRIGHT = dict(count=520, seed=29, brightest=1.0, slope=1.5, halo=0.35, colour=1.0)
RIM_FADE = (0.55, 1.0)   # radius (1 = half the side) over which the panel fades to black

# Star colours from cool to hot (K, G, F, A, B), as RGB.
COLOURS = np.array([[1.0, 0.72, 0.48], [1.0, 0.88, 0.72], [1.0, 0.97, 0.92], [0.90, 0.94, 1.0], [0.72, 0.82, 1.0]])


def fractions(count, seed, stream):
    """count reproducible fractions in [0, 1)."""
    i = np.arange(count, dtype=np.int64)
    return np.minimum(noise._hash(i, np.full_like(i, stream), np.full_like(i, 7), seed), 0.999999)


def place_stars(kind):
    """Star centres (pixels), peak brightness and colour for one picture,
    thinned where a clumping field is low."""
    n = kind["count"] * 2
    x, y = fractions(n, kind["seed"], 1) * SIZE, fractions(n, kind["seed"], 2) * SIZE
    clump = noise.fbm(np.stack([x / 260.0, y / 260.0, np.full(n, 3.7)], axis=1), 1.0, 4, kind["seed"])
    keep = fractions(n, kind["seed"], 3) < noise.smoothstep(0.25, 0.75, clump) * 0.9 + 0.1
    x, y = x[keep][:kind["count"]], y[keep][:kind["count"]]
    m = len(x)
    brightness = kind["brightest"] * fractions(m, kind["seed"], 4) ** (kind["slope"] * 2.2)
    hue = fractions(m, kind["seed"], 5) * (len(COLOURS) - 1)
    low = np.floor(hue).astype(int)
    mix = (hue - low)[:, None]
    colour = COLOURS[low] * (1 - mix) + COLOURS[np.minimum(low + 1, len(COLOURS) - 1)] * mix
    colour = 1.0 + kind["colour"] * (colour - 1.0)
    return x, y, brightness, colour


def draw(kind):
    picture = np.zeros((SIZE, SIZE, 3))
    for x, y, b, c in zip(*place_stars(kind)):
        sigma = 0.55 + 0.9 * b
        halo = kind["halo"] * b * b
        r = int(np.ceil(3 * sigma + 12 * halo)) + 1
        x0, y0 = int(x), int(y)
        ys, xs = np.mgrid[max(0, y0 - r):min(SIZE, y0 + r + 1), max(0, x0 - r):min(SIZE, x0 + r + 1)]
        d2 = (xs + 0.5 - x) ** 2 + (ys + 0.5 - y) ** 2
        spot = np.exp(-0.5 * d2 / sigma ** 2) + halo * 0.25 * np.exp(-np.sqrt(d2) / (2.0 + 4.0 * halo))
        picture[ys, xs] += (b * spot)[..., None] * c
    return picture


def rim_fade():
    c = (np.arange(SIZE) + 0.5) / SIZE * 2 - 1
    x, y = np.meshgrid(c, c)
    return 1.0 - noise.smoothstep(RIM_FADE[0], RIM_FADE[1], np.hypot(x, y))


def build(textures):
    fade = rim_fade()[..., None]
    tf.write_jpeg(os.path.join(textures, "stars.jpg"), np.clip(draw(FAINT), 0, 1) * fade, quality=90)
    tf.write_jpeg(os.path.join(textures, "stars2.jpg"), np.clip(draw(BRIGHT), 0, 1) * fade, quality=90)
