"""The two bitmaps of the executable, cut from one 800 x 600 frame of the
shipped scene (build_assets.sh renders it with terrava-tool render):

- resources/config_picture.bmp (bitmap 107): 264 x 170, the picture in the
  configuration dialog (its control is 177 x 106 dialog units);
- resources/preview.bmp (bitmap 112): 155 x 115, painted unscaled into the
  display settings' preview area.

The frame is reduced keeping its 4:3 shape and cropped to each size around
the middle, so the planet is not stretched.
"""

import os

import numpy as np

import texture_files as tf

SIZES = {"config_picture.bmp": (264, 170), "preview.bmp": (155, 115)}


def cut(frame, width, height):
    scale = max(width / frame.shape[1], height / frame.shape[0])
    w, h = int(round(frame.shape[1] * scale)), int(round(frame.shape[0] * scale))
    reduced = np.clip(tf.resize(frame, w, h), 0.0, 1.0)
    x0, y0 = (w - width) // 2, (h - height) // 2
    return reduced[y0:y0 + height, x0:x0 + width]


def build(frame_path, resources):
    frame = tf.read_picture(frame_path)
    for name, (width, height) in SIZES.items():
        tf.write_bmp(os.path.join(resources, name), cut(frame, width, height))
