// LensEffect: the reflections a bright light leaves in a camera lens, drawn
// by a flare after its sprite: three coloured streaks and 23 ghost images
// strung along the line from the flare through the centre of the window,
// each ghost pushed a little off that line in a direction that turns from
// ghost to ghost. Everything is laid out in window pixels (origin at the
// lower left) and drawn in the pixel overlay space.
#pragma once

#include <cstdint>

#include "camera/vector3.h"
#include "platform/frame_size.h"

// Lens textures per flare: slot 0 and 1 for the ghosts, slot 2 for the streaks.
constexpr int kLensTextureSlots = 3;
constexpr int kLensGhostCount = 23;

struct LensGhost {
  float dist;        // along the axis: 0 the flare, 1 the window centre, 2 the flare mirrored
  float sizeFactor;  // half size of the ghost in units of the flare's lensSize
  int texSlot;       // lens texture slot, 0..2
};
// The ghosts in drawing order.
extern const LensGhost kLensGhosts[kLensGhostCount];

// Where one lens effect lies on the screen.
struct LensLayout {
  Vector3 flareScreen;  // the flare, pixels (z 0)
  Vector3 axis;         // from the flare to the window centre, pixels
  float ringDot;        // 1 when the flare lies on the window diagonal through the centre
  Vector3 ghostCentre[kLensGhostCount];  // pixels, in kLensGhosts order
};

// Lays the effect out for a flare at flareScreen in a window whose centre
// is centre. False, layout untouched, when the flare is exactly at the
// centre: there is then no axis to lay the streaks and ghosts along.
bool LayOutLensEffect(Vector3 flareScreen, Vector3 centre, LensLayout* layout);

// Draws the streaks (texture slot 2) and the ghosts with additive blending
// in the frame's pixel space. lensSize in pixels; a texture name 0 draws untextured; hasOrient turns
// each ghost by 90 * ringDot degrees.
// GL in: frame defaults. GL out: frame defaults, except the bound texture
// and the current colour; one projection and one modelview push/pop (the
// pixel overlay space).
void DrawLensEffect(FrameSize frame, const LensLayout& layout, float lensSize,
                    const uint32_t (&lensTextures)[kLensTextureSlots], bool hasOrient);
