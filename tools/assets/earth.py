"""The Earth's surface textures: ocean.jpg, mater.tga (land with alpha),
light.jpg (city lights) and water.jpg (the water mask of the sun's glint:
white sea, black land and ice), 1024 x 512 equirectangular maps (column 0 at 180 W,
row 0 at the north pole), the layout the sphere mesh's texture coordinates
expect.

Sources (see tools/assets/README.md): NASA Visible Earth's Blue Marble
(xplanet-images earth.jpg, 2048 x 1024) and Earth's City Lights (night.jpg),
and Natural Earth's 1:50m land polygons (libmagics++-data ne_50m_land.shp).
"""

import os

import numpy as np

import noise
import shape_raster
import texture_files as tf

WIDTH, HEIGHT = 1024, 512
LAND_SUPERSAMPLE = 4        # the land mask is filled at 4x and box-filtered: an anti-aliased coast
ICE_LATITUDE = 45.0         # degrees; poleward of this, bright grey pixels count as ice
OCEAN_LIFT = (0.004, 0.030, 0.060)  # added to the ocean's RGB: Blue Marble's sea is near black
SEA_ALPHA = 0.5             # land layer over the sea: mixes Blue Marble's dark sea into the lifted ocean
CITY_GAIN, CITY_GAMMA = 3.4, 0.8    # downscaling dims point lights; this brings them back


def day_map(src):
    return tf.resize(tf.read_picture(os.path.join(src, "xplanet/images/earth.jpg")), WIDTH, HEIGHT)


def land_alpha(src, day):
    rings = shape_raster.read_polygon_rings(os.path.join(src, "magics/50m/ne_50m_land.shp"))
    fine = shape_raster.rasterise(rings, WIDTH * LAND_SUPERSAMPLE, HEIGHT * LAND_SUPERSAMPLE)
    land = tf.box_reduce(fine, LAND_SUPERSAMPLE)
    # Sea ice and ice shelves: bright, unsaturated, far from the equator.
    brightness = day.max(axis=2)
    saturation = 1.0 - day.min(axis=2) / np.maximum(brightness, 1e-3)
    polar = np.abs(noise.latitudes(WIDTH, HEIGHT)) >= ICE_LATITUDE
    ice = noise.smoothstep(0.55, 0.75, brightness) * (1.0 - noise.smoothstep(0.15, 0.30, saturation)) * polar
    return np.maximum(land, ice)


def ocean_map(day, alpha):
    """The whole day map, its sea lifted towards the deep blue seen from orbit."""
    sea = (1.0 - alpha)[:, :, None]
    return np.clip(day + sea * np.asarray(OCEAN_LIFT), 0.0, 1.0)


def city_lights(src):
    night = tf.resize(tf.read_picture(os.path.join(src, "xplanet/images/night.jpg")), WIDTH, HEIGHT)
    return np.clip(np.clip(night, 0.0, 1.0) ** CITY_GAMMA * CITY_GAIN, 0.0, 1.0)


def build(src, textures):
    day = day_map(src)
    alpha = land_alpha(src, day)
    tf.write_jpeg(os.path.join(textures, "ocean.jpg"), ocean_map(day, alpha))
    tf.write_tga(os.path.join(textures, "mater.tga"), np.dstack([day, np.maximum(alpha, SEA_ALPHA)]))
    tf.write_jpeg(os.path.join(textures, "light.jpg"), city_lights(src))
    tf.write_jpeg(os.path.join(textures, "water.jpg"), 1.0 - alpha)
