"""docs/gallery/: frames of the shipped scene at fixed flight times, drawn by
terrava-tool render into the work folder (build_assets.sh), kept as JPEG.
"""

import glob
import os

import texture_files as tf


def build(frames, docs):
    gallery = os.path.join(docs, "gallery")
    os.makedirs(gallery, exist_ok=True)
    for frame in sorted(glob.glob(os.path.join(frames, "gallery_*.png"))):
        name = os.path.basename(frame)[len("gallery_"):-len(".png")] + ".jpg"
        tf.write_jpeg(os.path.join(gallery, name), tf.read_picture(frame), quality=88, texture=False)
