"""The cloud map clouds.tga: 1024 x 512, white with alpha = cloud density.

Source: FlightGear Earthview's eight 2048-pixel cloud tiles (grey + alpha,
"based on NASA Visible Earth"; flightgear-data-models, GPL-2+), clouds_N1..4
and clouds_S1..4 from 180 W eastwards, north above south. The tiles are
reduced to a 2048 x 1024 working map and repaired there:

1. Steps where tiles meet (0, 90 W, 90 E, 180 and the equator, where the
   map also wraps round): the mean difference across each edge is measured
   row by row (column by column for the equator), smoothed along the edge and
   spread as a ramp over a band on both sides, so the step vanishes without
   blurring the clouds; the corners where edges cross are then filled from
   their surroundings.
2. A faint dotted band along the equator: the tropics are blurred a little.
3. No cloud poleward of about 78 N and 66 S, and empty wedges beside the
   0 degree edge at high latitudes: generated clouds (fractal noise on the
   sphere, so without seam or pinch at the poles) are cross-faded in.
"""

import os

import numpy as np

import filters
import noise
import texture_files as tf

TILE_DIR = "games/flightgear/Models/Astro/Textures"
WORK_W, WORK_H = 2048, 1024
WIDTH, HEIGHT = 1024, 512
SEAM_BAND = 40          # working pixels on each side of a tile edge over which a step is spread
SEAM_SMOOTH = 8.0       # working pixels; smoothing of the step profile along the edge
CORNER_RADIUS = 10      # working pixels; corners of four tiles, filled from around them
TROPIC_LATITUDE = 13.0  # degrees; the dotted band lies within this of the equator
TROPIC_BLUR = 1.2       # working pixels
EDGE_LINE = 2           # working pixels on each side of a tile edge rebuilt by interpolation (dark lines)
GAP_LATITUDE = 40.0     # degrees; poleward of this, empty pixels beside a tile edge are data gaps
GAP_WIDTH = 48          # working pixels beside a tile edge searched for gaps
NORTH_FADE = (74.0, 79.0)    # degrees: data fully kept below the first, generated above the second
SOUTH_FADE = (-62.0, -67.0)
CLOUD_SEED = 4242
OPACITY = 0.55          # density factor: three layers of this map stack up


def load_tiles(src):
    rows = []
    for hemisphere in "NS":
        tiles = [tf.read_picture(os.path.join(src, TILE_DIR, f"clouds_{hemisphere}{i}.png"), "LA")
                 for i in range(1, 5)]
        rows.append(np.hstack(tiles))
    full = np.vstack(rows)
    return tf.box_reduce(full, full.shape[1] // WORK_W)


def ramp(band):
    """Weights 1 at the edge falling to 0 at band pixels away (band values)."""
    return 1.0 - (np.arange(band) + 0.5) / band


def repair_vertical_edge(a, column):
    """Removes the dark line and the step between column - 1 and column
    (wrapping round)."""
    w = a.shape[1]
    first, last = a[:, (column - EDGE_LINE - 1) % w].copy(), a[:, (column + EDGE_LINE) % w].copy()
    for i in range(-EDGE_LINE, EDGE_LINE):
        t = (i + EDGE_LINE + 1) / (2 * EDGE_LINE + 1)
        a[:, (column + i) % w] = first * (1 - t) + last * t
    right = a[:, [(column + i) % w for i in range(3)]].mean(axis=1)
    left = a[:, [(column - 1 - i) % w for i in range(3)]].mean(axis=1)
    step = filters.blur_y(right - left, SEAM_SMOOTH)
    weights = ramp(SEAM_BAND)
    for i, weight in enumerate(weights):
        a[:, (column + i) % w] -= 0.5 * weight * step
        a[:, (column - 1 - i) % w] += 0.5 * weight * step


def repair_equator(a, row):
    first, last = a[row - EDGE_LINE - 1].copy(), a[row + EDGE_LINE].copy()
    for i in range(-EDGE_LINE, EDGE_LINE):
        t = (i + EDGE_LINE + 1) / (2 * EDGE_LINE + 1)
        a[row + i] = first * (1 - t) + last * t
    below = a[row:row + 3].mean(axis=0)
    above = a[row - 3:row].mean(axis=0)
    step = filters.blur_x((below - above)[None], SEAM_SMOOTH)[0]
    for i, weight in enumerate(ramp(SEAM_BAND)):
        a[row + i] -= 0.5 * weight * step
        a[row - 1 - i] += 0.5 * weight * step


def fill_corners(a, columns, row):
    """Replaces small discs at tile corners with a wide blur of the map."""
    smooth = filters.blur(a, CORNER_RADIUS)
    y, x = np.mgrid[0:a.shape[0], 0:a.shape[1]]
    for column in columns:
        dx = (x - column + a.shape[1] / 2) % a.shape[1] - a.shape[1] / 2
        d = np.hypot(dx, y - row) / CORNER_RADIUS
        weight = (1.0 - noise.smoothstep(0.6, 1.4, d))[..., None]
        a[:] = a * (1 - weight) + smooth * weight


def soften_tropics(a):
    lat = noise.latitudes(a.shape[1], a.shape[0])
    weight = (1.0 - noise.smoothstep(TROPIC_LATITUDE - 6, TROPIC_LATITUDE, np.abs(lat)))[..., None]
    return a * (1 - weight) + filters.blur(a, TROPIC_BLUR) * weight


def generated_density(width, height):
    """Cloud density for the polar caps: fractal noise, shaped to cover about
    half the sky in soft patches."""
    points = noise.sphere_points(width, height)
    warp = noise.fbm(points, 3.0, 3, CLOUD_SEED + 1) - 0.5
    field = noise.fbm(points + 0.35 * warp[..., None], 8.0, 8, CLOUD_SEED, gain=0.55)
    return noise.smoothstep(0.40, 0.68, field) * 0.8


def edge_gaps(a, columns):
    """1 where a high-latitude pixel beside a tile edge holds no cloud, softened."""
    lat = noise.latitudes(a.shape[1], a.shape[0])
    x = np.arange(a.shape[1])[None, :]
    near = np.zeros(a.shape[:2], dtype=bool)
    for column in columns:
        dx = (x - column + a.shape[1] / 2) % a.shape[1] - a.shape[1] / 2
        near |= np.abs(dx) < GAP_WIDTH
    empty = (a[:, :, 1] < 0.04) & near & (np.abs(lat) > GAP_LATITUDE)
    return np.clip(filters.blur(empty.astype(np.float64), 3.0) * 1.5, 0.0, 1.0)


def polar_fill(a, columns):
    lat = noise.latitudes(a.shape[1], a.shape[0])
    keep = (1.0 - noise.smoothstep(NORTH_FADE[0], NORTH_FADE[1], lat)) * \
        (1.0 - noise.smoothstep(-SOUTH_FADE[0], -SOUTH_FADE[1], -lat))
    keep = keep * (1.0 - edge_gaps(a, columns))
    made = generated_density(a.shape[1], a.shape[0])
    out = a.copy()
    out[:, :, 1] = a[:, :, 1] * keep + made * (1 - keep)
    out[:, :, 0] = a[:, :, 0] * keep + (0.85 + 0.15 * made) * (1 - keep)
    return out


def repaired_map(src):
    a = load_tiles(src).astype(np.float64)
    columns = [i * WORK_W // 4 for i in range(4)]
    for column in columns:
        repair_vertical_edge(a, column)
    repair_equator(a, WORK_H // 2)
    fill_corners(a, columns, WORK_H // 2)
    a = soften_tropics(a)
    return polar_fill(np.clip(a, 0.0, 1.0), columns)


def build(src, textures):
    a = tf.resize(repaired_map(src), WIDTH, HEIGHT)
    grey = np.clip(a[:, :, 0], 0.0, 1.0)
    density = np.clip(a[:, :, 1] * OPACITY, 0.0, 1.0)
    colour = 0.78 + 0.22 * grey
    tf.write_tga(os.path.join(textures, "clouds.tga"), np.dstack([colour, colour, colour, density]))
