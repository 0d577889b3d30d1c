"""Deterministic noise for the generated pictures.

Value noise on a 3-D integer lattice, hashed with fixed integer arithmetic
(no random generator state), so the same seed always gives the same field on
every machine. Sampling it on the unit sphere gives textures without a seam
at 180 degrees and without pinching at the poles; fractal sums of octaves
(fBm) give cloud-like and star-density fields.
"""

import numpy as np


def _hash(ix, iy, iz, seed):
    """A uint32 hash of lattice points (arrays of int64), mapped to 0..1."""
    h = (ix.astype(np.uint64) * np.uint64(0x8DA6B343) + iy.astype(np.uint64) * np.uint64(0xD8163841)
         + iz.astype(np.uint64) * np.uint64(0xCB1AB31F) + np.uint64(seed) * np.uint64(0x165667B1))
    h &= np.uint64(0xFFFFFFFF)
    h ^= h >> np.uint64(15)
    h = (h * np.uint64(0x2C1B3C6D)) & np.uint64(0xFFFFFFFF)
    h ^= h >> np.uint64(12)
    h = (h * np.uint64(0x297A2D39)) & np.uint64(0xFFFFFFFF)
    h ^= h >> np.uint64(15)
    return h.astype(np.float64) / 4294967295.0


def value_noise(points, seed):
    """Smooth noise in 0..1 at points (... x 3), one lattice cell per unit."""
    p = np.asarray(points, dtype=np.float64)
    base = np.floor(p)
    f = p - base
    w = f * f * (3.0 - 2.0 * f)
    i = base.astype(np.int64)
    total = np.zeros(p.shape[:-1])
    for dx in (0, 1):
        for dy in (0, 1):
            for dz in (0, 1):
                weight = ((w[..., 0] if dx else 1 - w[..., 0]) * (w[..., 1] if dy else 1 - w[..., 1])
                          * (w[..., 2] if dz else 1 - w[..., 2]))
                total += weight * _hash(i[..., 0] + dx, i[..., 1] + dy, i[..., 2] + dz, seed)
    return total


def fbm(points, frequency, octaves, seed, gain=0.5, lacunarity=2.03):
    """Sum of octaves of value noise, normalised to about 0..1."""
    total = np.zeros(np.asarray(points).shape[:-1])
    amplitude, norm = 1.0, 0.0
    for octave in range(octaves):
        total += amplitude * value_noise(np.asarray(points) * frequency + 17.3 * octave, seed + 101 * octave)
        norm += amplitude
        amplitude *= gain
        frequency *= lacunarity
    return total / norm


def sphere_points(width, height):
    """Unit vectors at the pixel centres of an equirectangular map (row 0 at
    the north pole, column 0 at 180 W), as height x width x 3."""
    lon = (np.arange(width) + 0.5) / width * 2 * np.pi - np.pi
    lat = np.pi / 2 - (np.arange(height) + 0.5) / height * np.pi
    lon, lat = np.meshgrid(lon, lat)
    return np.stack([np.cos(lat) * np.cos(lon), np.cos(lat) * np.sin(lon), np.sin(lat)], axis=2)


def latitudes(width, height):
    """Latitude in degrees of every pixel centre (height x width)."""
    lat = 90.0 - (np.arange(height) + 0.5) / height * 180.0
    return np.repeat(lat[:, None], width, axis=1)


def smoothstep(edge0, edge1, x):
    t = np.clip((np.asarray(x, dtype=np.float64) - edge0) / (edge1 - edge0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)
