"""Polygons of an ESRI shapefile rasterised onto an equirectangular grid.

Only what the land mask needs: polygon records (shape types 5, 15, 25) of a
.shp file in longitude/latitude degrees, filled with the even-odd rule (so
lakes and other holes stay empty) on a grid whose column 0 starts at 180 W
and row 0 at 90 N, one sample at each pixel centre.
"""

import struct

import numpy as np

POLYGON_TYPES = (5, 15, 25)  # polygon, polygonZ, polygonM


def read_polygon_rings(path):
    """Every ring of every polygon record: a list of (n x 2) arrays (lon, lat)."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 100 or struct.unpack(">i", data[:4])[0] != 9994:
        raise ValueError(f"{path}: not a shapefile")
    rings = []
    pos = 100
    while pos + 8 <= len(data):
        _, words = struct.unpack(">ii", data[pos:pos + 8])
        content = data[pos + 8:pos + 8 + 2 * words]
        pos += 8 + 2 * words
        shape_type = struct.unpack("<i", content[:4])[0]
        if shape_type not in POLYGON_TYPES:
            continue
        parts_count, points_count = struct.unpack("<ii", content[36:44])
        parts = list(struct.unpack(f"<{parts_count}i", content[44:44 + 4 * parts_count]))
        start = 44 + 4 * parts_count
        points = np.frombuffer(content[start:start + 16 * points_count], dtype="<f8").reshape(-1, 2)
        for i, first in enumerate(parts):
            last = parts[i + 1] if i + 1 < parts_count else points_count
            rings.append(points[first:last])
    return rings


def rasterise(rings, width, height):
    """Coverage (0 or 1, float32, height x width) of the rings, even-odd."""
    x0, y0, x1, y1 = [], [], [], []
    for ring in rings:
        closed = np.vstack([ring, ring[:1]])
        x = (closed[:, 0] + 180.0) / 360.0 * width
        y = (90.0 - closed[:, 1]) / 180.0 * height
        x0.append(x[:-1]), y0.append(y[:-1]), x1.append(x[1:]), y1.append(y[1:])
    x0, y0, x1, y1 = (np.concatenate(a) for a in (x0, y0, x1, y1))

    # Rows whose centre (row + 0.5) lies in [min y, max y) of an edge.
    low, high = np.minimum(y0, y1), np.maximum(y0, y1)
    first = np.ceil(low - 0.5).astype(np.int64)
    last = np.ceil(high - 0.5).astype(np.int64)  # exclusive
    counts = np.maximum(last - first, 0)
    edge = np.repeat(np.arange(len(x0)), counts)
    row = np.repeat(first, counts) + (np.arange(counts.sum()) - np.repeat(np.cumsum(counts) - counts, counts))
    centre = row + 0.5
    t = (centre - y0[edge]) / (y1[edge] - y0[edge])
    cross_x = x0[edge] + t * (x1[edge] - x0[edge])
    inside = (row >= 0) & (row < height)
    row, cross_x = row[inside], cross_x[inside]

    # Sort crossings by row, then x; consecutive pairs bound filled spans.
    order = np.lexsort((cross_x, row))
    row, cross_x = row[order], cross_x[order]
    coverage = np.zeros((height, width + 1), dtype=np.int32)
    starts = np.clip(np.ceil(cross_x[0::2] - 0.5), 0, width).astype(np.int64)
    ends = np.clip(np.ceil(cross_x[1::2] - 0.5), 0, width).astype(np.int64)
    np.add.at(coverage, (row[0::2], starts), 1)
    np.add.at(coverage, (row[1::2], ends), -1)
    return (np.cumsum(coverage, axis=1)[:, :width] > 0).astype(np.float32)
