"""The sky box texture 500.jpg and the distant planet PLANET05.JPG.

500.jpg (1024 x 512) is laid out for the sky box cube "meshes\\env.dat",
read from the mesh file itself: each face covers one cell of a 3 x 2 grid
in texture space, and each sample of the picture is the sky in the
direction its point on the cube has from the cube's centre (a gnomonic
projection per face), so nothing is stretched at the corners. The loaders
hand the picture to OpenGL bottom row first, so t = 0 is the picture's
bottom row. The mesh draws each cell in by half a texel, and the picture
continues every face's sky a little past its edges into the texels the
filter reads there, so no border between cells shows a line. 4 x 4 samples
per texel; each texel belongs wholly to one cell. The sphere that draws the box keeps its default
orientation (90 degrees about x), which is applied here, so directions are
those of the scene.

The sky itself is Axel Mellinger's Milky Way panorama (stellarium-data
milkyway.png, RGBA), flattened on black and turned so that the galactic
band crosses the flight's usual views (the camera circles mostly about the
y axis) at an angle: the band's plane and centre are measured in the
picture itself, so nothing depends on its coordinate conventions.

PLANET05.JPG is the 512 x 256 Mars map of stellarium-data (NASA/JPL-Caltech).
"""

import os

import numpy as np

import filters
import noise
import texture_files as tf

WIDTH, HEIGHT = 1024, 512
SUPERSAMPLE = 4
SKY_GAIN = 1.25     # the panorama's brightness in the texture (the scene dims it further by alpha)
SKY_GAMMA = 1.1     # > 1 deepens the dark sky between the bright parts of the band
# Where the band lies. Where the atlas's cells meet without sharing a cube
# edge, the two sides are different parts of the sky, and bilinear filtering
# mixes them into a thin line. Among orientations with the pole within 72
# degrees of y (so the band crosses the flight's views), this one makes the
# sides of those borders alike: their summed difference is half the median
# over all such orientations, so the lines fall where they hardly show.
GALACTIC_POLE = (-0.483, 0.629, -0.609)   # world direction of the band's pole, 51 degrees off y
GALACTIC_CENTRE = (-0.94, 0.0, 0.34)      # world direction the galactic centre leans to

def rotation_x(degrees):
    c, s = np.cos(np.radians(degrees)), np.sin(np.radians(degrees))
    return np.array([[1, 0, 0], [0, c, -s], [0, s, c]])


def frame(centre, pole):
    """Orthonormal columns: centre (made perpendicular to pole), pole x centre, pole."""
    pole = np.asarray(pole, dtype=np.float64) / np.linalg.norm(pole)
    centre = np.asarray(centre, dtype=np.float64) - np.dot(centre, pole) * pole
    centre /= np.linalg.norm(centre)
    return np.stack([centre, np.cross(pole, centre), pole], axis=1)


def galactic_frame(panorama):
    """The band's centre (brightest region) and pole (the normal of the plane
    through the brightest tenth of the sky) in the panorama's coordinates."""
    h, w = panorama.shape[:2]
    lum = tf.box_reduce(panorama.mean(axis=2), 4)
    directions = noise.sphere_points(w // 4, h // 4)
    area = np.cos(np.radians(noise.latitudes(w // 4, h // 4)))
    smooth = filters.blur(lum, 6.0)
    y, x = np.unravel_index(np.argmax(smooth * area), smooth.shape)
    weight = (lum > np.percentile(lum, 90)) * area
    scatter = np.einsum("ij,ijk,ijl->kl", weight, directions, directions)
    pole = np.linalg.eigh(scatter)[1][:, 0]
    return frame(directions[y, x], pole)


def read_mesh(path):
    """Vertices, face vertex indices, face texture indices and texture
    coordinates of a geometry file (the saver's little-endian format)."""
    data = np.fromfile(path, dtype="<u4")
    vertices, faces, coords = (int(n) for n in data[:3])
    floats = data.view("<f4")
    at = 3
    positions = floats[at:at + 3 * vertices].reshape(-1, 3).astype(np.float64)
    at += 3 * vertices
    corners = data[at:at + 3 * faces].reshape(-1, 3)
    at += 3 * faces
    texture_corners = data[at:at + 3 * faces].reshape(-1, 3)
    at += 3 * faces
    st = floats[at:at + 2 * coords].reshape(-1, 2).astype(np.float64)
    return positions, corners, texture_corners, st


def atlas_directions(mesh, width, height, rows, texel):
    """World direction (len(rows) x width x 3) of sample points of a width x
    height picture, for the given rows. Every sample belongs to the cell of
    the texel (texel x texel samples) it lies in, by the texel's centre, and
    takes the point of that cell's cube face, the face's plane extended past
    its edges where the mesh draws the cell in by half a texel: so the
    texels the filter reads at a face's edge hold the sky beyond that edge,
    and no texel mixes two faces."""
    positions, corners, texture_corners, st = mesh
    s = (np.arange(width) + 0.5) / width
    t = 1.0 - (np.asarray(rows) + 0.5) / height  # picture rows run from t = 1 down to t = 0
    owner_s = (np.arange(width) // texel + 0.5) * texel / width
    owner_t = 1.0 - (np.asarray(rows) // texel + 0.5) * texel / height
    s, t = np.meshgrid(s, t)
    owner_s, owner_t = np.meshgrid(owner_s, owner_t)
    model = np.zeros(s.shape + (3,))
    nearest = np.full(s.shape, np.inf)
    for face, texture in zip(corners, texture_corners):
        (s0, t0), (s1, t1), (s2, t2) = st[texture]
        low, high = st[texture].min(axis=0), st[texture].max(axis=0)
        distance = (np.maximum(0, np.maximum(low[0] - owner_s, owner_s - high[0])) +
                    np.maximum(0, np.maximum(low[1] - owner_t, owner_t - high[1])))
        det = (s1 - s0) * (t2 - t0) - (s2 - s0) * (t1 - t0)
        u = ((s - s0) * (t2 - t0) - (s2 - s0) * (t - t0)) / det
        v = ((s1 - s0) * (t - t0) - (s - s0) * (t1 - t0)) / det
        closer = distance < nearest - 1e-12
        p0, p1, p2 = positions[face]
        point = p0 + u[..., None] * (p1 - p0) + v[..., None] * (p2 - p0)
        model[closer] = point[closer]
        nearest = np.where(closer, distance, nearest)
    model /= np.linalg.norm(model, axis=2, keepdims=True)
    return model @ rotation_x(90.0).T  # the sphere's default orient: 90 degrees about x


def sample_panorama(panorama, directions):
    """Bilinear lookup of an equirectangular picture (x wraps) by direction."""
    h, w = panorama.shape[:2]
    lon = np.arctan2(directions[..., 1], directions[..., 0])
    lat = np.arcsin(np.clip(directions[..., 2], -1.0, 1.0))
    x = (lon / (2 * np.pi) + 0.5) * w - 0.5
    y = (0.5 - lat / np.pi) * h - 0.5
    x0, y0 = np.floor(x).astype(int), np.floor(y).astype(int)
    fx, fy = (x - x0)[..., None], (y - y0)[..., None]
    y0c, y1c = np.clip(y0, 0, h - 1), np.clip(y0 + 1, 0, h - 1)
    x0w, x1w = x0 % w, (x0 + 1) % w
    top = panorama[y0c, x0w] * (1 - fx) + panorama[y0c, x1w] * fx
    bottom = panorama[y1c, x0w] * (1 - fx) + panorama[y1c, x1w] * fx
    return top * (1 - fy) + bottom * fy


def milky_way(src):
    rgba = tf.read_picture(os.path.join(src, "stellarium/textures/milkyway.png"), "RGBA")
    return rgba[:, :, :3] * rgba[:, :, 3:4]


def sky_box(src, mesh_path):
    panorama = milky_way(src)
    mesh = read_mesh(mesh_path)
    # world -> galactic (world frame transposed) -> panorama coordinates
    world_to_panorama = galactic_frame(panorama) @ frame(GALACTIC_CENTRE, GALACTIC_POLE).T
    w, h = WIDTH * SUPERSAMPLE, HEIGHT * SUPERSAMPLE
    band = 64 * SUPERSAMPLE  # rows per step, to keep memory small
    sky = np.concatenate([
        tf.box_reduce(sample_panorama(panorama, atlas_directions(mesh, w, h, range(r, r + band), SUPERSAMPLE) @ world_to_panorama.T),
                      SUPERSAMPLE)
        for r in range(0, h, band)])
    return np.clip(sky, 0.0, 1.0) ** SKY_GAMMA * SKY_GAIN


def build(src, textures):
    mesh = os.path.join(textures, os.pardir, "meshes", "env.dat")
    tf.write_jpeg(os.path.join(textures, "500.jpg"), sky_box(src, mesh), quality=95, chroma_halved=False)
    mars = tf.read_picture(os.path.join(src, "stellarium/textures/mars.png"))
    tf.write_jpeg(os.path.join(textures, "PLANET05.JPG"), mars)
