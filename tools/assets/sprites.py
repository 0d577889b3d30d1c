"""Generated sprite textures: the sun and its flares, the lens ghosts and
streaks, and the colours of the atmosphere shells.

All are drawn additively by the scene (black adds nothing), so every sprite
fades to pure black well inside its square: no edge of the quad may show.

- flare0.jpg  soft round glow (the sun's glow and the wide flare glows)
- flare1.jpg  the sun's core: a white disc in a tight glow
- ray.jpg     a star burst of many thin rays of uneven length
- ray2.jpg    six long diffraction spikes with a faint rainbow edge
- tlens.jpg   a lens ghost: a soft hexagon (the aperture) with a brighter rim
- lens4.JPG   a lens streak: a thin line along t, brightest in the middle
- scatt1/2/3.jpg  small flat colours of the atmosphere shells: the view-
              aligned shells map texture coordinates across the disc in
              ways that have nothing to do with the view, so only the
              colour matters; the shells' per-vertex alpha shapes them.
"""

import os

import numpy as np

import noise
import texture_files as tf

RAY_COUNT = 56
SPIKES = 6
SUN_TINT = np.array([1.0, 0.96, 0.88])
SHELL_COLOURS = {  # RGB of the shell textures; lit shells add colour x N.L, so these stay dim
    "scatt1.jpg": (0.030, 0.050, 0.080),  # the atmosphere glow over the disc: pale sky blue
    "scatt2.jpg": (0.13, 0.29, 0.58),     # the scattering rim: blue, strongest at the limb
    "scatt3.jpg": (0.008, 0.016, 0.026),  # the haze shells: a faint blue veil, four deep
}


def polar(size):
    """Radius (1 at the middle of each side) and angle of every pixel centre."""
    c = (np.arange(size) + 0.5) / size * 2 - 1
    x, y = np.meshgrid(c, -c)
    return np.hypot(x, y), np.arctan2(y, x)


def edge_fade(r, start=0.75):
    return 1.0 - noise.smoothstep(start, 0.98, r)


def glow(size=256):
    r, _ = polar(size)
    g = 0.85 * np.exp(-r / 0.09) + 0.35 * np.exp(-(r / 0.42) ** 2)
    return g[..., None] * SUN_TINT * edge_fade(r)[..., None]


def core(size=256):
    r, _ = polar(size)
    disc = 1.0 - noise.smoothstep(0.10, 0.16, r)
    g = disc + 0.6 * np.exp(-r / 0.10) + 0.12 * np.exp(-(r / 0.5) ** 2)
    return np.clip(g, 0, 1)[..., None] * np.array([1.0, 0.99, 0.95]) * edge_fade(r)[..., None]


def angular_fractions(count, seed, stream):
    i = np.arange(count, dtype=np.int64)
    return noise._hash(i, np.full_like(i, stream), np.zeros_like(i), seed)


def burst(size=512):
    """Thin rays at hashed angles, each with its own length and brightness."""
    r, theta = polar(size)
    angles = angular_fractions(RAY_COUNT, 5, 1) * 2 * np.pi
    lengths = 0.25 + 0.7 * angular_fractions(RAY_COUNT, 5, 2)
    weights = 0.25 + 0.75 * angular_fractions(RAY_COUNT, 5, 3)
    widths = 0.004 + 0.010 * angular_fractions(RAY_COUNT, 5, 4)
    rays = np.zeros_like(r)
    for a, length, weight, width in zip(angles, lengths, weights, widths):
        d = np.angle(np.exp(1j * (theta - a)))  # angular distance, -pi..pi
        across = np.abs(d) * np.maximum(r, 0.02)
        rays += weight * np.exp(-(across / width) ** 2) * np.exp(-r / (0.35 * length)) * (np.abs(d) < np.pi / 2)
    centre = np.exp(-r / 0.05)
    g = np.clip(0.8 * rays + centre, 0, 1)
    return g[..., None] * SUN_TINT * edge_fade(r, 0.6)[..., None]


def spikes(size=512):
    """Six long thin spikes (a hexagonal aperture's diffraction), their
    edges tinted red outside and blue inside."""
    r, theta = polar(size)
    out = np.zeros(r.shape + (3,))
    tints = {0.0: np.array([0.7, 0.8, 1.0]), 1.0: np.array([1.0, 1.0, 1.0]), 2.0: np.array([1.0, 0.7, 0.55])}
    for k in range(SPIKES):
        d = np.angle(np.exp(1j * (theta - k * np.pi / 3)))
        across = np.abs(d) * np.maximum(r, 0.01)
        along = np.exp(-r / 0.28) * (np.abs(d) < np.pi / 2)
        for offset, tint in tints.items():
            out += (0.5 * np.exp(-((across - 0.002 * offset) / 0.006) ** 2) * along)[..., None] * tint / 2
    out += np.exp(-r / 0.04)[..., None]
    return np.clip(out, 0, 1) * edge_fade(r, 0.7)[..., None]


def hexagon_distance(size):
    """0 in the middle, 1 on the hexagon that touches the circle of radius 0.8."""
    c = (np.arange(size) + 0.5) / size * 2 - 1
    x, y = np.meshgrid(c, c)
    d = np.zeros_like(x)
    for k in range(6):
        a = k * np.pi / 3 + np.pi / 6
        d = np.maximum(d, x * np.cos(a) + y * np.sin(a))
    return d / (0.8 * np.cos(np.pi / 6))


def ghost(size=128):
    d = hexagon_distance(size)
    body = 1.0 - noise.smoothstep(0.88, 1.0, d)
    rim = np.exp(-((d - 0.93) / 0.05) ** 2)
    g = np.clip(0.22 * body + 0.38 * rim, 0, 1)
    return np.repeat(g[..., None], 3, axis=2)


def streak(size=256):
    """A line along t (the flare-to-centre axis of the lens effect)."""
    c = (np.arange(size) + 0.5) / size * 2 - 1
    s, t = np.meshgrid(c, c)
    across = np.exp(-(s / 0.015) ** 2) + 0.3 * np.exp(-(s / 0.08) ** 2)
    along = np.clip(1 - t * t, 0, 1) ** 3
    g = 0.35 * np.clip(across * along, 0, 1) * (1.0 - noise.smoothstep(0.85, 0.98, np.abs(s)))
    return np.repeat(g[..., None], 3, axis=2)


def build(textures):
    path = lambda name: os.path.join(textures, name)  # noqa: E731
    tf.write_jpeg(path("flare0.jpg"), glow(), quality=92)
    tf.write_jpeg(path("flare1.jpg"), core(), quality=92)
    tf.write_jpeg(path("ray.jpg"), burst(), quality=92)
    tf.write_jpeg(path("ray2.jpg"), spikes(), quality=92)
    tf.write_jpeg(path("tlens.jpg"), ghost(), quality=92)
    tf.write_jpeg(path("lens4.JPG"), streak(), quality=92)
    for name, colour in SHELL_COLOURS.items():
        tf.write_jpeg(path(name), np.ones((16, 16, 3)) * np.array(colour), quality=92)
