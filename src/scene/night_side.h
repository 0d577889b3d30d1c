// The night side of a planet: layers written with `night` (the city lights)
// are lit only by a light placed opposite the sun, so that they show where
// the sun does not shine and fade in across the terminator over a twilight
// band, in fixed-function OpenGL 1.1. The lighting result, clamped to 0..1
// by OpenGL, modulates the texture before the additive blend.
#pragma once

// Angles from the terminator into the night, degrees: the layer is dark up
// to kTwilightStart and at full strength from kTwilightEnd on.
constexpr float kTwilightStart = 1.0f;
constexpr float kTwilightEnd = 10.0f;

// sin(kTwilightStart): the cosine between a normal and the direction to the
// night light at and below which the layer is lit black.
float NightDarkCosine();

// With the modelview matrix at the layer's centre (its translation column is
// the centre in eye space) and the sun placed as GL_LIGHT1: places GL_LIGHT3
// at the sun's mirror image through the centre, lights the layer with it
// alone and sets the material that turns its diffuse term into the twilight
// ramp, with alpha (0..1) as the layer's opacity. RestoreObjectDefaults
// brings back the daylight: GL_LIGHT1 on, GL_LIGHT3 off and the default
// material.
void EnterNightSide(float alpha);
