#!/usr/bin/python3
"""Builds Terrava's pictures and music from the unpacked Debian packages and
our own generators; build_assets.sh fetches the packages and calls this.

Usage: make_assets.py --src ROOT/usr/share --repo REPO [--work DIR] [--frame PNG] [STEP ...]

Steps (all when none is named), each writing into the repository:
  earth     resources/data/textures/ocean.jpg, mater.tga, light.jpg
  clouds    resources/data/textures/clouds.tga
  sky       resources/data/textures/500.jpg (sky box), PLANET05.JPG
  stars     resources/data/textures/stars.jpg, stars2.jpg
  sprites   resources/data/textures/flare0/1, ray, ray2, tlens.jpg, lens4.JPG,
            scatt1/2/3.jpg
  lettering resources/data/textures/c.jpg, sign.jpg; resources/loader/*
  icon      resources/terrava.ico
  music     WORK/music.wav (build_assets.sh encodes it to music.ogg)
  bitmaps   resources/config_picture.bmp, preview.bmp from --frame FRAME.png
  gallery   docs/gallery/*.jpg from WORK/frames/gallery_*.png
"""

import argparse
import importlib
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)


def step(module, *args):
    """A step: the build function of one generator module, imported when run."""
    return lambda: importlib.import_module(module).build(*args)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--src", required=True, help="usr/share of the unpacked packages")
    ap.add_argument("--repo", required=True)
    ap.add_argument("--work", default=None, help="scratch folder (default REPO/build/assets-src)")
    ap.add_argument("--frame", default=None, help="a rendered frame of the scene (bitmaps step)")
    ap.add_argument("steps", nargs="*")
    args = ap.parse_args()
    resources = os.path.join(args.repo, "resources")
    textures = os.path.join(resources, "data", "textures")
    work = args.work or os.path.join(args.repo, "build", "assets-src")
    os.makedirs(textures, exist_ok=True)
    os.makedirs(work, exist_ok=True)
    fonts = os.path.join(args.src, "fonts", "truetype", "dejavu")
    steps = {
        "earth": step("earth", args.src, textures),
        "clouds": step("clouds", args.src, textures),
        "sky": step("sky", args.src, textures),
        "stars": step("stars", textures),
        "sprites": step("sprites", textures),
        "lettering": step("lettering", fonts, resources),
        "icon": step("icon", args.src, resources),
        "music": step("music", os.path.join(work, "music.wav")),
        "bitmaps": step("bitmaps", args.frame, resources),
        "gallery": step("gallery", os.path.join(work, "frames"), os.path.join(args.repo, "docs")),
    }
    chosen = args.steps or [name for name in steps if name not in ("bitmaps", "gallery")]
    for name in chosen:
        if name not in steps:
            ap.error(f"unknown step {name}")
    if "bitmaps" in chosen and not args.frame:
        ap.error("the bitmaps step needs --frame")
    for name in chosen:
        print(f"assets: {name}", flush=True)
        steps[name]()


if __name__ == "__main__":
    main()
