"""The Earth's outline in a screenshot: its width / height.

The sunlit part of the Earth is the brightest large thing in a frame. Its
outline is half of the limb (from one tip of the terminator to the other,
through the sunlit side) and the terminator. The two tips are the ends of a
diameter of the disc, so they are the two points of the lit region farthest
apart, and their midpoint is the disc's centre. From that centre, the
farthest lit point in each direction on the sunlit side lies on the limb;
an axis-aligned ellipse fitted to those limb points gives the disc's width
and height. A round Earth gives 1.0; the same frame squeezed from 4:3 into
16:9 gives 1.33.
"""
import math
import subprocess

LIT = 110           # channel mean above which a pixel is sunlit surface or cloud
BINS = 48           # directions around the centre
MIN_SHARE = 0.01    # of the frame: smaller lit regions are stars or flares


def load_rgb(path, scale=2):
    """(width, height, rgb bytes) of the picture shrunk by scale."""
    out = subprocess.run(["convert", path, "-scale", f"{100 // scale}%", "-depth", "8", "ppm:-"],
                         capture_output=True, timeout=120, check=True).stdout
    _, size, _, rgb = out.split(b"\n", 3)
    width, height = (int(v) for v in size.split())
    return width, height, rgb


def largest_lit_region(width, height, rgb):
    """Pixel indices of the largest 4-connected region of lit pixels."""
    lit = bytearray(width * height)
    for i in range(width * height):
        j = 3 * i
        lit[i] = rgb[j] + rgb[j + 1] + rgb[j + 2] > 3 * LIT
    best = []
    seen = bytearray(width * height)
    for start in range(width * height):
        if not lit[start] or seen[start]:
            continue
        seen[start] = 1
        region, stack = [], [start]
        while stack:
            i = stack.pop()
            region.append(i)
            x = i % width
            for n in (i - 1 if x > 0 else -1, i + 1 if x + 1 < width else -1, i - width, i + width):
                if 0 <= n < width * height and lit[n] and not seen[n]:
                    seen[n] = 1
                    stack.append(n)
        if len(region) > len(best):
            best = region
    return best


def convex_hull(points):
    points = sorted(set(points))
    if len(points) < 3:
        return points

    def half(seq):
        out = []
        for p in seq:
            while len(out) >= 2 and ((out[-1][0] - out[-2][0]) * (p[1] - out[-2][1]) -
                                     (out[-1][1] - out[-2][1]) * (p[0] - out[-2][0])) <= 0:
                out.pop()
            out.append(p)
        return out[:-1]
    return half(points) + half(reversed(points))


def outline_ratio(path):
    """(width / height of the Earth's outline, note) or (None, reason)."""
    width, height, rgb = load_rgb(path)
    region = largest_lit_region(width, height, rgb)
    if len(region) < MIN_SHARE * width * height:
        return None, f"lit region of {len(region)} pixels is too small"
    points = [(i % width, i // width) for i in region]
    if any(x in (0, width - 1) or y in (0, height - 1) for x, y in points):
        return None, "the lit region touches the frame's edge"
    hull = convex_hull(points)
    tip_a, tip_b = max(((p, q) for p in hull for q in hull), key=lambda pq: math.dist(*pq))
    cx, cy = (tip_a[0] + tip_b[0]) / 2, (tip_a[1] + tip_b[1]) / 2
    diameter = math.dist(tip_a, tip_b)
    farthest = [None] * BINS
    for x, y in points:
        dx, dy = x - cx, y - cy
        r = math.hypot(dx, dy)
        b = int((math.atan2(dy, dx) + math.pi) / (2 * math.pi) * BINS) % BINS
        if farthest[b] is None or r > farthest[b][0]:
            farthest[b] = (r, dx, dy)
    # Limb points: directions where the region reaches near the limb (the
    # terminator side stays inside it).
    limb = [(dx, dy) for f in farthest if f and f[0] > 0.4 * diameter for _, dx, dy in [f]]
    if len(limb) < BINS // 4:
        return None, f"only {len(limb)} limb directions"
    # Least squares for u x^2 + v y^2 = 1.
    sxx = sum(dx ** 4 for dx, _ in limb)
    syy = sum(dy ** 4 for _, dy in limb)
    sxy = sum(dx * dx * dy * dy for dx, dy in limb)
    bx = sum(dx * dx for dx, _ in limb)
    by = sum(dy * dy for _, dy in limb)
    det = sxx * syy - sxy * sxy
    if det <= 0:
        return None, "limb points do not fix an ellipse"
    u = (bx * syy - by * sxy) / det
    v = (by * sxx - bx * sxy) / det
    if u <= 0 or v <= 0:
        return None, "limb points do not fit an ellipse"
    return math.sqrt(v / u), f"diameter {2 * diameter:.0f} px, {len(limb)} limb directions"
