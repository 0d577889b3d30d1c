#!/usr/bin/env python3
"""Draws the placeholder pictures of the overlay and the loader screen.

Writes, relative to the resources folder:
  data/textures/c.jpg    glyph sheet, 512 x 512: a 4 x 4 grid of 128-pixel
                         cells read from the top left, cells 0..9 the digits,
                         10 the separator (a short dash), 11 "am", 12 "pm",
                         13..15 empty; light outline glyphs on black, each kept
                         inside the middle of its cell because glyphs are drawn
                         overlapping (40 units wide, 28 apart)
  data/textures/sign.jpg 256 x 256, a white circle with a cross
  loader/load.jpg        256 x 256, the word LOADING... on black (resource 117)
  loader/4loader_rd.tga  256 x 128 logo with alpha (resource 120)
  loader/4loader_ld.tga, 4loader_lu.tga, 4loader_ru.tga
                         1 x 1 white pixels with alpha 0 (resources 121..123)

JPEGs are baseline, 3-component (true colour even where the picture is grey)
and carry no metadata. ImageMagick draws; the TGA files are written here:
uncompressed true colour (type 2), 32 bits, descriptor 0x08 (8 alpha bits,
origin bottom left), rows bottom-up, pixels blue, green, red, alpha.

Usage: make_pictures.py [RESOURCES_DIR]   (default: the folder above this one)
"""

import os
import struct
import subprocess
import sys

GLYPH_FONT = "DejaVu-Sans-Bold"
MARK_FONT = "DejaVu-Sans-Condensed-Bold"
OUTLINE = "#d8ecff"
JPEG_OPTIONS = ["-strip", "-interlace", "none", "-type", "TrueColor", "-quality", "92"]


def magick(args, output):
    subprocess.run(["convert"] + args + [output], check=True, timeout=120)


def offset(dx, dy):
    return f"{dx:+d}{dy:+d}"


def glyph_sheet(path):
    """Cell i sits at column i % 4, row i // 4 from the top."""
    args = ["-size", "512x512", "xc:black", "-gravity", "center",
            "-fill", "none", "-stroke", OUTLINE, "-strokewidth", "5"]
    for i in range(10):
        dx, dy = 128 * (i % 4) - 192, 128 * (i // 4) - 192
        args += ["-font", GLYPH_FONT, "-pointsize", "100", "-annotate", offset(dx, dy + 2), str(i)]
    # Separator, cell 10 (column 2, row 2): a short outlined dash.
    cx, cy = 128 * 2 + 64, 128 * 2 + 64
    args += ["-gravity", "northwest", "-draw", f"rectangle {cx - 22},{cy - 7} {cx + 22},{cy + 7}",
             "-gravity", "center", "-strokewidth", "4"]
    for i, mark in ((11, "am"), (12, "pm")):
        dx, dy = 128 * (i % 4) - 192, 128 * (i // 4) - 192
        args += ["-font", MARK_FONT, "-pointsize", "54", "-annotate", offset(dx, dy - 4), mark]
    magick(args + JPEG_OPTIONS, path)


def sign_picture(path):
    magick(["-size", "256x256", "xc:black", "-fill", "none", "-stroke", "white", "-strokewidth", "12",
            "-draw", "circle 128,128 128,30",
            "-draw", "line 128,58 128,198", "-draw", "line 58,128 198,128"] + JPEG_OPTIONS, path)


def load_picture(path):
    magick(["-size", "256x256", "xc:black", "-gravity", "center", "-font", GLYPH_FONT,
            "-pointsize", "34", "-fill", "#e8f2ff", "-annotate", "+0+0", "LOADING\u2026",
            "-fill", "#3a6ea5", "-draw", "rectangle 48,160 208,166"] + JPEG_OPTIONS, path)


def logo_rgba():
    """256 x 128 RGBA bytes, top row first: the name over a soft glow."""
    result = subprocess.run(
        ["convert", "-size", "256x128", "xc:none", "-gravity", "center", "-font", GLYPH_FONT,
         "-pointsize", "38", "-fill", "#4f8fd8", "-annotate", "+0-8", "TERRAVA", "-blur", "0x5",
         "-fill", "white", "-annotate", "+0-8", "TERRAVA",
         "-font", "DejaVu-Sans", "-pointsize", "14", "-fill", "#c8dcf0", "-annotate", "+0+26",
         "screensaver", "-depth", "8", "rgba:-"],
        check=True, capture_output=True, timeout=120)
    return result.stdout


def write_tga(path, width, height, rgba_top_down):
    """Type 2, 32 bits, descriptor 0x08, rows bottom-up, BGRA pixels."""
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, width, height, 32, 0x08)
    row_bytes = width * 4
    body = bytearray()
    for row in reversed(range(height)):
        line = rgba_top_down[row * row_bytes:(row + 1) * row_bytes]
        for x in range(0, row_bytes, 4):
            r, g, b, a = line[x:x + 4]
            body += bytes((b, g, r, a))
    with open(path, "wb") as f:
        f.write(header + bytes(body))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    textures = os.path.join(root, "data", "textures")
    loader = os.path.join(root, "loader")
    glyph_sheet(os.path.join(textures, "c.jpg"))
    sign_picture(os.path.join(textures, "sign.jpg"))
    load_picture(os.path.join(loader, "load.jpg"))
    logo = logo_rgba()
    assert len(logo) == 256 * 128 * 4, "ImageMagick returned an unexpected logo size"
    write_tga(os.path.join(loader, "4loader_rd.tga"), 256, 128, logo)
    for name in ("4loader_ld.tga", "4loader_lu.tga", "4loader_ru.tga"):
        write_tga(os.path.join(loader, name), 1, 1, bytes((255, 255, 255, 0)))


if __name__ == "__main__":
    main()
