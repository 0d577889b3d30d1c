// The sun's glint on water: a layer written with `glint` draws only the
// sun's specular reflection, added to the picture, so it shows where the
// sun's mirror image falls towards the viewer and nowhere else, and never on
// the night side (OpenGL gives no specular term where the sun is below the
// horizon). In fixed-function OpenGL 1.1 the specular term is summed into
// the one lighting colour, which modulates the layer's texture before the
// additive blend: the texture is a water mask (white water, black land), so
// the glint is masked to water texel by texel although its shape is lit
// vertex by vertex. The layer therefore draws a finer sphere than the others.
#pragma once

// Subdivisions of the icosphere a glint layer draws: 2562 vertices, about
// 4 degrees apart (the other layers' sphere: 642, about 8 degrees), so that a
// highlight whose brightness halves 12 degrees from its centre (shininess 32)
// is lit smoothly across several vertices. One more subdivision would cost
// four times the vertices for no difference that shows.
constexpr int kGlintSphereSubdivisions = 4;

// With the sun placed as GL_LIGHT1: lights the layer by the sun's specular
// term alone, brightness (0..1) times a sunlit white at its centre, with the
// given exponent (0..128: higher is a tighter glint), summed into the colour
// that modulates the texture, and adds it to the picture without writing
// depth. RestoreObjectDefaults puts back the light model's colour control,
// the blend function, depth writes and the default material.
void EnterSunGlint(float brightness, float shininess);
