"""The Earth's outline in a screenshot: its width / height.

The lit Earth is the brightest large region of a frame; its two points
farthest apart give a first centre and radius. Rays from that centre find
where the disc meets the sky in one sharp step: the limb (a terminator
fades slowly, and a ray that meets a star or a bright sky beside the limb
gives no point). An axis-aligned ellipse fitted to the limb points (once
more without the points far off the first fit) gives the disc's width and
height. A round Earth gives 1.0; a 4:3 frame stretched over 16:9 gives
1.33. A limb that spans too short an arc, or lies too far off an ellipse
(a torn screenshot, a flare), is not measured.

A sphere off the view's axis projects to an ellipse stretched away from the
frame's centre, so only a disc near the centre measures the projection
itself: Outline.offset says how far its centre is from the frame's.
"""
import math
import subprocess
from collections import namedtuple

LIT_LEVEL = 51      # brightest channel (0..255) of the lit Earth
MID_LEVEL = 36      # below this a ray has left the lit disc
SKY_LEVEL = 20      # the sky beside the limb is darker than this
SHARP_STEP = 3      # pixels: at the limb the ray goes from lit to MID_LEVEL within this
DARK_RUN = 5        # pixels of sky after the limb
MIN_SHARE = 0.01    # of the frame: smaller lit regions are stars, Mars or flares
RAYS = 180          # from the centre, in equal steps of angle
LIMB_START, LIMB_END = 0.5, 1.5   # radii of the ray's search, of the disc's estimated radius
MIN_LIMB_RAYS = RAYS // 4
MAX_RESIDUAL = 0.015              # of the radius: limb points farther off the fitted ellipse are dropped
MIN_ARC = 120                     # degrees of limb the points must span
MAX_RMS_RESIDUAL = 0.0035         # of the radius: a limb that lies farther off is not the Earth's alone

# ratio: width / height; offset: the centre's distance from the frame's
# centre, in frame heights; diameter: pixels of the measured picture.
Outline = namedtuple("Outline", "ratio offset diameter limb_points")


def largest_region(width, height, lit):
    """Pixel indices of the largest 4-connected region of lit pixels."""
    seen = bytearray(width * height)
    best = []
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
    """The points' convex hull (monotone chain)."""
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
    return half(points) + half(list(reversed(points)))


def brightness(path, width, height):
    """One byte per pixel of the picture scaled to width x height: its
    brightest channel."""
    return subprocess.run(["convert", path, "-scale", f"{width}x{height}!", "-colorspace", "HSB", "-channel", "B",
                           "-separate", "+channel", "-depth", "8", "gray:-"],
                          capture_output=True, timeout=120, check=True).stdout


def limb_crossing(gray, width, height, cx, cy, angle, radius):
    """Where the ray from (cx, cy) at angle leaves the lit disc for dark sky
    in one sharp step, as an offset from (cx, cy); None when it does not."""
    dx, dy = math.cos(angle), math.sin(angle)

    def level(r):
        x, y = int(round(cx + r * dx)), int(round(cy + r * dy))
        return gray[y * width + x] if 0 <= x < width and 0 <= y < height else None

    r = LIMB_START * radius
    last_lit = None
    while r < LIMB_END * radius:
        v = level(r)
        if v is None:
            return None
        if v >= LIT_LEVEL:
            last_lit = r
        elif v < MID_LEVEL and last_lit is not None:
            sharp = r - last_lit <= SHARP_STEP
            dark_after = all((level(r + k) or 0) < SKY_LEVEL for k in range(1, DARK_RUN))
            return (r * dx, r * dy) if sharp and dark_after else None
        r += 0.5
    return None


def fit_ellipse(points):
    """Centre and semi-axes (x0, y0, a, b) of the axis-aligned ellipse
    A x^2 + C y^2 + D x + E y = 1 fitted by least squares; None when the
    points fix none."""
    rows = [(x * x, y * y, x, y) for x, y in points]
    n = 4
    m = [[sum(r[i] * r[j] for r in rows) for j in range(n)] + [sum(r[i] for r in rows)] for i in range(n)]
    for col in range(n):
        pivot = max(range(col, n), key=lambda k: abs(m[k][col]))
        if abs(m[pivot][col]) < 1e-12:
            return None
        m[col], m[pivot] = m[pivot], m[col]
        for k in range(n):
            if k != col:
                f = m[k][col] / m[col][col]
                m[k] = [a - f * b for a, b in zip(m[k], m[col])]
    a_, c_, d_, e_ = (m[i][n] / m[i][i] for i in range(n))
    if a_ <= 0 or c_ <= 0:
        return None
    f = 1 + d_ * d_ / (4 * a_) + e_ * e_ / (4 * c_)
    return -d_ / (2 * a_), -e_ / (2 * c_), math.sqrt(f / a_), math.sqrt(f / c_)


def limb_arc(points, x0, y0):
    """Degrees of the arc about (x0, y0) that the points span: the circle
    less its largest gap."""
    angles = sorted(math.atan2(y - y0, x - x0) for x, y in points)
    gaps = [b - a for a, b in zip(angles, angles[1:])] + [angles[0] + 2 * math.pi - angles[-1]]
    return 360 - math.degrees(max(gaps))


def residual(point, fit):
    """How far off the ellipse the point lies, in radii (0 on it)."""
    x0, y0, a, b = fit
    return math.hypot((point[0] - x0) / a, (point[1] - y0) / b) - 1


def measure(path, width, height):
    """(Outline, "") of the picture scaled to width x height, or (None, why
    the Earth's outline cannot be measured in it)."""
    gray = brightness(path, width, height)
    lit = bytes(255 if v >= LIT_LEVEL else 0 for v in gray)
    region = largest_region(width, height, lit)
    if len(region) < MIN_SHARE * width * height:
        return None, f"lit region of {len(region)} pixels is too small"
    hull = convex_hull([(i % width, i // width) for i in region])
    tip_a, tip_b = max(((p, q) for p in hull for q in hull), key=lambda pq: math.dist(*pq))
    cx, cy = (tip_a[0] + tip_b[0]) / 2, (tip_a[1] + tip_b[1]) / 2
    radius = math.dist(tip_a, tip_b) / 2
    limb = [p for p in (limb_crossing(gray, width, height, cx, cy, 2 * math.pi * k / RAYS, radius)
                        for k in range(RAYS)) if p]
    fit = None
    for _ in range(2):
        if fit:
            limb = [p for p in limb if abs(residual(p, fit)) < MAX_RESIDUAL]
        if len(limb) < MIN_LIMB_RAYS:
            return None, f"only {len(limb)} of {RAYS} rays cross the limb"
        fit = fit_ellipse(limb)
        if fit is None:
            return None, "the limb points fix no ellipse"
    x0, y0, a, b = fit
    arc = limb_arc(limb, x0, y0)
    if arc < MIN_ARC:
        return None, f"the limb points span {arc:.0f} degrees only"
    spread = math.sqrt(sum(residual(p, fit) ** 2 for p in limb) / len(limb))
    if spread > MAX_RMS_RESIDUAL:
        return None, f"the limb points lie {spread:.4f} radii off an ellipse"
    offset = math.hypot(cx + x0 - (width - 1) / 2, cy + y0 - (height - 1) / 2) / height
    return Outline(a / b, offset, 2 * b, len(limb)), ""
