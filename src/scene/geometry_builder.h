// The standard geometries, generated: the unit icosphere (poles on the z
// axis, texture seam duplicated) that spheres, atmosphere shells and the
// scan draw, and the ±0.5 cube of the sky box. terrava-tool mesh writes them
// as geometry files; tests round-trip them through the loader.
#pragma once

#include "scene/geometry.h"

// An icosahedron with two vertices on the z axis, each face split into four
// subdivisions times, pushed out to the unit sphere: 3 subdivisions give 642
// vertices and 1280 faces, 1 gives 42 and 80. Corner normals are the vertex
// directions. Texture coordinates: s is the longitude (0..1 once round,
// counter-clockwise about +z: eastwards on a map whose north pole is z = 1),
// t runs from 0 at z = -1 to 1 at z = 1. The image loaders hand rows to
// OpenGL bottom first, so t = 0 is a map's bottom row: its south pole lies at
// z = -1, its north pole at z = 1. Each face across the s = 0 meridian gets
// coordinates of its own with s + 1 for its corners east of the seam, and
// every pole corner its own s: 3 subdivisions give 718 texture coordinates
// (642 + 68 seam corners + 8 more at the poles), the count of the sphere file
// the scene ships.
GeometryData BuildIcosphere(int subdivisions);

// The cube with corners at ±0.5: 8 vertices, 12 faces wound counter-clockwise
// seen from outside, so that a sphere drawn with front faces culled (the sky
// box) shows them from inside; corner normals are the face normals. Texture
// coordinates: one cell of a 3 x 2 grid per face, 4 corners each (24 in
// all), drawn in by half a texel of a sky picture of pictureWidth x
// pictureHeight texels so that bilinear filtering never reaches into the
// next cell; the faces are turned so that cells meet along shared cube edges
// where they can.
constexpr int kSkyPictureWidth = 1024;  // texels of the shipped sky picture
constexpr int kSkyPictureHeight = 512;
GeometryData BuildEnvCube(int pictureWidth = kSkyPictureWidth, int pictureHeight = kSkyPictureHeight);
