"""Pictures with lettering: the clock's glyph sheet and the loader screen.

- data/textures/c.jpg (512 x 512): the 4 x 4 glyph sheet read row by row
  from the top left: cells 0..9 the digits, 10 the separator (a short
  dash), 11 "am", 12 "pm", 13..15 empty. Light outline glyphs with a faint
  glow on black (the clock adds them to the scene). The saver draws each
  glyph 40 units wide and starts the next 28 units further on, so every
  glyph keeps inside the middle 70 % of its cell's width.
- data/textures/sign.jpg (256 x 256): a white ring with a cross, the loader
  screen's emblem, drawn 220 units across above the LOADING picture.
- loader/load.jpg (256 x 256, resource 117): the word LOADING on black.
- loader/4loader_rd.tga (256 x 128 with alpha, resource 120): the logo in
  the bottom right corner of the loader screen: the name over the lit limb
  of a planet.
- loader/4loader_ld.tga, 4loader_lu.tga, 4loader_ru.tga (resources 121 to
  123): single white pixels with alpha 0, so the other corners stay empty.

Lettering uses DejaVu Sans (fonts-dejavu-core), drawn by Pillow's FreeType
renderer at 4 x the size and reduced, for even anti-aliasing.
"""

import os

import numpy as np
from PIL import Image, ImageDraw, ImageFont

import filters
import texture_files as tf

OVERSAMPLE = 4
SHEET, CELL = 512, 128
OUTLINE = np.array([0.86, 0.94, 1.0])    # the light blue-white of the clock
GLYPH_FIELD = 0.62                       # widest glyph, as a fraction of the cell width
LOGO_BLUE = np.array([0.45, 0.72, 1.0])


def font(fonts, name, pixels):
    return ImageFont.truetype(os.path.join(fonts, name), pixels * OVERSAMPLE)


def text_mask(size, text, typeface, centre, stroke=0, fill=True, spacing=0):
    """Coverage (0..1, size[1] x size[0]) of text drawn centred on centre,
    as an outline of stroke pixels when fill is False."""
    big = Image.new("L", (size[0] * OVERSAMPLE, size[1] * OVERSAMPLE), 0)
    draw = ImageDraw.Draw(big)
    x, y = centre[0] * OVERSAMPLE, centre[1] * OVERSAMPLE
    widths = [draw.textlength(ch, font=typeface) for ch in text]
    total = sum(widths) + spacing * OVERSAMPLE * (len(text) - 1)
    left = x - total / 2
    for ch, w in zip(text, widths):
        # With a stroke, Pillow draws the widened outline first and the glyph
        # in the fill colour over it: fill 0 leaves only the outline.
        draw.text((left + w / 2, y), ch, font=typeface, anchor="mm", fill=255 if fill else 0,
                  stroke_width=stroke * OVERSAMPLE, stroke_fill=255)
        left += w + spacing * OVERSAMPLE
    return tf.box_reduce(np.asarray(big, dtype=np.float64) / 255.0, OVERSAMPLE)


def glowing(mask, colour, glow=0.35, radius=3.0):
    light = np.clip(mask + glow * filters.blur(mask, radius), 0.0, 1.0)
    return light[..., None] * colour


def glyph_sheet(fonts):
    digits = font(fonts, "DejaVuSans-Bold.ttf", 92)
    marks = font(fonts, "DejaVuSans-Bold.ttf", 38)
    mask = np.zeros((SHEET, SHEET))
    for i in range(13):
        cx, cy = CELL * (i % 4) + CELL // 2, CELL * (i // 4) + CELL // 2
        if i < 10:
            cell = text_mask((SHEET, SHEET), str(i), digits, (cx, cy), stroke=3, fill=False)
        elif i == 10:
            cell = np.zeros((SHEET, SHEET))
            cell[cy - 5:cy + 5, cx - 18:cx + 18] = 1.0
            cell[cy - 2:cy + 2, cx - 15:cx + 15] = 0.0  # an outline like the digits
        else:
            cell = text_mask((SHEET, SHEET), "am" if i == 11 else "pm", marks, (cx, cy + 4), stroke=3, fill=False)
        mask = np.maximum(mask, cell)
    sheet = glowing(mask, OUTLINE, glow=0.3, radius=2.5)
    check_glyph_fields(sheet.max(axis=2))
    return sheet


def check_glyph_fields(mask):
    """Every glyph must stay clear of the outer 15 % of its cell's width."""
    margin = int(CELL * (1 - GLYPH_FIELD) / 2)
    for i in range(13):
        x0, y0 = CELL * (i % 4), CELL * (i // 4)
        cell = mask[y0:y0 + CELL, x0:x0 + CELL]
        if cell[:, :margin].max() > 0.02 or cell[:, CELL - margin:].max() > 0.02:
            raise ValueError(f"glyph {i} reaches into the margins of its cell")


def sign_picture():
    """A white ring through 76 % of the radius (where the loader screen is
    probed) and a cross of bars stopping short of it, on black."""
    size = 256
    c = (np.arange(size) + 0.5) - size / 2
    x, y = np.meshgrid(c, c)
    r = np.hypot(x, y)
    ring = np.clip(6.0 - np.abs(r - 98.0), 0.0, 1.0)
    bar = lambda u, v: np.clip(5.5 - np.abs(u), 0, 1) * np.clip(80.0 - np.abs(v), 0, 1)  # noqa: E731
    cross = np.maximum(bar(x, y), bar(y, x))
    hub = np.clip(16.0 - r, 0.0, 1.0)
    mask = np.maximum.reduce([ring, cross, hub])
    return np.clip(mask[..., None] * np.ones(3) + filters.blur(mask, 4.0)[..., None] * 0.25 * LOGO_BLUE, 0, 1)


def load_picture(fonts):
    size = 256
    mask = text_mask((size, size), "LOADING", font(fonts, "DejaVuSans-Bold.ttf", 34), (128, 128), spacing=3)
    return glowing(mask, np.array([0.92, 0.96, 1.0]), glow=0.4, radius=3.0)


def logo(fonts):
    """The name above the thin lit limb of a planet; alpha follows the light."""
    w, h = 256, 128
    name = text_mask((w, h), "TERRAVA", font(fonts, "DejaVuSans.ttf", 30), (128, 58), spacing=5)
    x, y = np.meshgrid(np.arange(w) + 0.5, np.arange(h) + 0.5)
    r = np.hypot(x - 128, y - 892)                  # a planet of radius 790 below the picture
    limb = np.exp(-((r - 790) / 2.2) ** 2) * np.clip(1 - np.abs(x - 128) / 128, 0, 1) ** 0.7
    haze = np.exp(-np.maximum(r - 790, 0) / 9.0) * (r > 790) * 0.35 * np.clip(1 - np.abs(x - 128) / 128, 0, 1)
    light = np.clip(name + filters.blur(name, 2.5) * 0.4, 0, 1)
    colour = light[..., None] * np.array([0.95, 0.98, 1.0]) + (limb + haze)[..., None] * LOGO_BLUE
    alpha = np.clip(np.maximum.reduce([light, limb, haze]), 0, 1)
    rgb = np.clip(colour / np.maximum(alpha, 1e-3)[..., None], 0, 1)
    return np.dstack([rgb, alpha])


def build(fonts, resources):
    textures = os.path.join(resources, "data", "textures")
    loader = os.path.join(resources, "loader")
    tf.write_jpeg(os.path.join(textures, "c.jpg"), glyph_sheet(fonts), quality=92)
    tf.write_jpeg(os.path.join(textures, "sign.jpg"), sign_picture(), quality=92)
    tf.write_jpeg(os.path.join(loader, "load.jpg"), load_picture(fonts), quality=92)
    tf.write_tga(os.path.join(loader, "4loader_rd.tga"), logo(fonts), texture=False)
    for name in ("4loader_ld.tga", "4loader_lu.tga", "4loader_ru.tga"):
        tf.write_tga(os.path.join(loader, name), np.array([[[1.0, 1.0, 1.0, 0.0]]]), texture=False)
