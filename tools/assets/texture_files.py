"""Writers for the picture files the saver and its resource script read.

Every writer takes a numpy array of floats in 0..1 (height x width x
channels, top row first) and writes bytes that depend only on the array, so
that a rerun of the pipeline gives the same files:

- JPEG for textures and loader pictures: baseline (SOF0), three components
  even for grey pictures, 4:2:0 sampling, standard Huffman tables, a JFIF
  header and nothing else (no EXIF, ICC, comment or restart markers).
- TGA for textures with alpha: uncompressed true colour (type 2), 32 bits,
  descriptor 0x08 (eight alpha bits, origin bottom left), no ID field, no
  colour map, rows bottom first, pixels blue, green, red, alpha.
- BMP (24 bits) for the dialog and preview bitmaps, and ICO for the icon:
  BMP-coded entries up to 48 pixels (readable by every Windows version) and a
  PNG-coded 256-pixel entry.
"""

import io
import struct

import numpy as np
from PIL import Image

JPEG_QUALITY = 85   # the size/quality balance of the shipped textures
MIN_SIDE, MAX_SIDE = 4, 1024  # texture sides the loader accepts, powers of two


def to_bytes(pixels):
    """Float picture (0..1) to uint8, rounded, clipped."""
    return np.clip(np.rint(np.asarray(pixels, dtype=np.float64) * 255.0), 0, 255).astype(np.uint8)


def check_texture_size(pixels, path):
    height, width = pixels.shape[:2]
    for side in (width, height):
        if side < MIN_SIDE or side > MAX_SIDE or side & (side - 1):
            raise ValueError(f"{path}: {width} x {height} is no texture size (powers of two, 4..1024)")


def rgb_image(pixels):
    """An RGB PIL image from a grey (h x w) or colour (h x w x 3) float array."""
    data = to_bytes(pixels)
    if data.ndim == 2:
        data = np.repeat(data[:, :, None], 3, axis=2)
    return Image.fromarray(data[:, :, :3], "RGB")


def write_jpeg(path, pixels, quality=JPEG_QUALITY, texture=True, chroma_halved=True):
    """chroma_halved: colour at half resolution (4:2:0); pictures whose
    neighbouring texels may belong to different places (atlases) keep it
    whole."""
    if texture:
        check_texture_size(pixels, path)
    rgb_image(pixels).save(path, "JPEG", quality=quality, subsampling=2 if chroma_halved else 0,
                           optimize=False, progressive=False)


def write_tga(path, rgba, texture=True):
    """rgba: h x w x 4 floats, top row first."""
    if texture:
        check_texture_size(rgba, path)
    data = to_bytes(rgba)
    height, width = data.shape[:2]
    header = struct.pack("<BBB5sHHHHBB", 0, 0, 2, b"\0" * 5, 0, 0, width, height, 32, 0x08)
    bgra = data[::-1, :, [2, 1, 0, 3]]
    with open(path, "wb") as f:
        f.write(header)
        f.write(np.ascontiguousarray(bgra).tobytes())


def write_bmp(path, pixels):
    rgb_image(pixels).save(path, "BMP")


def _dib_icon_entry(data):
    """BITMAPINFOHEADER, bottom-up BGRA colour rows, then the 1-bit AND mask."""
    size = data.shape[0]
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = np.ascontiguousarray(data[::-1, :, [2, 1, 0, 3]]).tobytes()
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray(mask_row * size)
    for y in range(size):
        row = data[size - 1 - y, :, 3]
        for x in range(size):
            if row[x] == 0:
                mask[y * mask_row + x // 8] |= 0x80 >> (x % 8)
    return header + colour + bytes(mask)


def write_ico(path, pictures):
    """pictures: list of square h x w x 4 float arrays, smallest first."""
    entries = []
    for rgba in pictures:
        data = to_bytes(rgba)
        size = data.shape[0]
        if size >= 256:
            buffer = io.BytesIO()
            Image.fromarray(data, "RGBA").save(buffer, "PNG", optimize=False)
            blob = buffer.getvalue()
        else:
            blob = _dib_icon_entry(data)
        entries.append((size, blob))
    offset = 6 + 16 * len(entries)
    directory = struct.pack("<HHH", 0, 1, len(entries))
    body = b""
    for size, blob in entries:
        side = 0 if size >= 256 else size
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(blob), offset + len(body))
        body += blob
    with open(path, "wb") as f:
        f.write(directory + body)


def read_picture(path, mode="RGB"):
    """A source picture as floats 0..1 (h x w x channels)."""
    with Image.open(path) as im:
        return np.asarray(im.convert(mode), dtype=np.float32) / 255.0


def resize(pixels, width, height):
    """Area-correct resampling of a float picture (each channel as 32-bit float)."""
    pixels = np.asarray(pixels, dtype=np.float32)
    channels = [pixels] if pixels.ndim == 2 else [pixels[:, :, c] for c in range(pixels.shape[2])]
    out = [np.asarray(Image.fromarray(c, "F").resize((width, height), Image.LANCZOS, reducing_gap=None))
           for c in channels]
    return out[0] if pixels.ndim == 2 else np.stack(out, axis=2)


def box_reduce(pixels, factor):
    """Mean of factor x factor blocks (exact for supersampled masks)."""
    h, w = pixels.shape[:2]
    shape = (h // factor, factor, w // factor, factor) + pixels.shape[2:]
    return pixels.reshape(shape).mean(axis=(1, 3))
