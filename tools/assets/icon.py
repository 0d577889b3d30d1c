"""The program icon resources/terrava.ico: the Earth seen from space.

An orthographic view of Blue Marble (xplanet-images earth.jpg) with the
shipped cloud map (clouds.tga, so this step runs after the clouds step),
lit from the upper left, with a thin blue atmosphere rim, on a transparent
background. Each size (16 to 256 pixels) is drawn at 4 x and reduced, so
the disc's edge is anti-aliased in the alpha channel.
"""

import os

import numpy as np
from PIL import Image

import texture_files as tf

SIZES = (16, 24, 32, 48, 64, 128, 256)
OVERSAMPLE = 4
CENTRE = (15.0, 20.0)         # degrees: latitude, longitude facing the viewer (Africa and Europe)
SUN = np.array([-0.55, 0.45, 0.70])  # towards the light: left, up, front
DISC = 0.88                   # the planet's radius as a fraction of half the icon
RIM = np.array([0.45, 0.70, 1.0])


def read_tga(path):
    with Image.open(path) as im:
        return np.asarray(im.convert("RGBA"), dtype=np.float32) / 255.0


def lookup(picture, lat, lon):
    """Nearest sample of an equirectangular picture at degrees lat, lon."""
    h, w = picture.shape[:2]
    x = ((lon + 180.0) / 360.0 * w).astype(int) % w
    y = np.clip(((90.0 - lat) / 180.0 * h).astype(int), 0, h - 1)
    return picture[y, x]


def earth_view(size, day, clouds):
    c = ((np.arange(size) + 0.5) / size * 2 - 1) / DISC
    x, y = np.meshgrid(c, -c)
    r2 = x * x + y * y
    inside = r2 < 1.0
    z = np.sqrt(np.clip(1.0 - r2, 0.0, 1.0))
    # Turn the view point (lat, lon) to the front: view coordinates to the globe.
    lat0, lon0 = np.radians(CENTRE)
    gy = y * np.cos(lat0) + z * np.sin(lat0)
    gz = -y * np.sin(lat0) + z * np.cos(lat0)
    lat = np.degrees(np.arcsin(np.clip(gy, -1, 1)))
    lon = np.degrees(np.arctan2(x, gz) + lon0)
    lon = (lon + 180.0) % 360.0 - 180.0
    surface = lookup(day, lat, lon)
    cloud = lookup(clouds, lat, lon)
    density = np.clip(cloud[..., 3] * 2.2, 0, 1)[..., None]
    ground = surface * (1 - density) + cloud[..., :3] * density
    light = np.clip((x * SUN[0] + y * SUN[1] + z * SUN[2]) / np.linalg.norm(SUN), 0.0, 1.0)
    lit = ground * (0.08 + 1.1 * light[..., None])
    rim = np.clip(1.0 - z, 0, 1) ** 3 * (0.3 + 0.7 * light)
    colour = np.clip(lit + rim[..., None] * RIM * 0.8, 0, 1)
    return np.dstack([colour * inside[..., None], inside.astype(np.float64)])


def build(src, resources):
    day = tf.read_picture(os.path.join(src, "xplanet/images/earth.jpg"))
    clouds = read_tga(os.path.join(resources, "data", "textures", "clouds.tga"))
    pictures = []
    for size in SIZES:
        big = earth_view(size * OVERSAMPLE, day, clouds)
        rgba = tf.box_reduce(big, OVERSAMPLE)
        alpha = rgba[..., 3:4]
        rgba[..., :3] = np.where(alpha > 0, rgba[..., :3] / np.maximum(alpha, 1e-6), 0)
        pictures.append(rgba)
    tf.write_ico(os.path.join(resources, "terrava.ico"), pictures)
