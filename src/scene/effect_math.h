// Small vector helpers of the screen-space and particle effects (flares,
// lens effects, particle systems), whose directions can degenerate: a flare
// at the window's corner or centre, a particle system whose position equals
// its reference point.
#pragma once

#include "camera/vector3.h"

// v scaled to unit length, or the zero vector when v has no length (where
// Normalize would give NaN components that spread into every GL vertex).
inline Vector3 DirectionOrZero(Vector3 v) {
  float length = Length(v);
  return length > 0.0f ? Divide(v, length) : Vector3{0.0f, 0.0f, 0.0f};
}
