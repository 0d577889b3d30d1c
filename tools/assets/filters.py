"""Separable Gaussian blurs on float pictures: the x axis wraps around (maps
that go once round the globe), the y axis clamps at the first and last row.
"""

import numpy as np


def _kernel(sigma):
    radius = max(1, int(np.ceil(3.0 * sigma)))
    x = np.arange(-radius, radius + 1, dtype=np.float64)
    k = np.exp(-0.5 * (x / sigma) ** 2)
    return k / k.sum(), radius


def blur_x(a, sigma):
    """Blur along axis 1, wrapping around."""
    if sigma <= 0:
        return a
    k, r = _kernel(sigma)
    out = np.zeros_like(a, dtype=np.float64)
    for i, weight in enumerate(k):
        out += weight * np.roll(a, i - r, axis=1)
    return out


def blur_y(a, sigma):
    """Blur along axis 0, repeating the edge rows."""
    if sigma <= 0:
        return a
    k, r = _kernel(sigma)
    pad = [(r, r)] + [(0, 0)] * (a.ndim - 1)
    padded = np.pad(a, pad, mode="edge")
    out = np.zeros_like(a, dtype=np.float64)
    for i, weight in enumerate(k):
        out += weight * padded[i:i + a.shape[0]]
    return out


def blur(a, sigma):
    return blur_y(blur_x(a, sigma), sigma)
