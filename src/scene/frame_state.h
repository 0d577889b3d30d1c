// The OpenGL state of a scene frame. InitSceneGlState sets what stays fixed
// for the life of a GL context (lights, light model, the projection);
// ApplyFrameDefaults sets the state every object's Render finds on entry and
// puts back on exit, so a render test can compare the two after each kind.
#pragma once

#include "platform/frame_size.h"

// Once per GL context, after it is made current: the enables, lights, light
// model, the viewport over the whole frame and its projection. Leaves the
// frame defaults applied and the modelview matrix current and identity.
void InitSceneGlState(FrameSize frame);

// Half width of a frustum whose half height is halfHeight, for the frame's
// aspect: the vertical field of view stays what the frustum was made for and
// a wider frame sees more at the sides (53.333334 for 40 on every 4:3 frame).
double FrustumHalfWidth(double halfHeight, FrameSize frame);

// The frame defaults, in three groups.
// Changed by objects, and put back by RestoreObjectDefaults, the last call
// of every Render:
//   enabled  GL_ALPHA_TEST, GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT1, GL_BLEND,
//            GL_TEXTURE_2D
//   disabled GL_LIGHT0, GL_LIGHT3, GL_CULL_FACE, GL_COLOR_MATERIAL,
//            GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T
//   blend function (GL_SRC_ALPHA, GL_ONE); alpha function (GL_ALWAYS, 0);
//   depth mask on; colour mask on; the light model's specular colour kept
//   apart from the texture (GL_SEPARATE_SPECULAR_COLOR, which OpenGL 1.1
//   lacks); cull face GL_BACK; GL_TEXTURE_ENV_MODE GL_MODULATE (so that a
//   `light` mesh's GL_ADD never reaches the objects after it); matrix mode
//   GL_MODELVIEW; texture matrix identity; front material ambient and
//   diffuse (1, 1, 1, 1) (what the colour tracking of an opaque sphere
//   leaves), specular and emission (0, 0, 0, 1), shininess 0.
// Set at the start of a frame, but left by objects as they set them:
//   current colour (1, 1, 1, 1) (every object sets its own before drawing);
//   bound texture (objects without a texture line draw with the one before
//   them).
// Never changed by objects: GL_NORMALIZE on, lights and light model (except
// the position of GL_LIGHT3, the night-side light each `night` layer
// places, and the colour control above, which `glint` layers change), the
// projection matrix and the stack depths (objects that push
// a matrix pop it again).
void ApplyFrameDefaults();
// The first group alone.
void RestoreObjectDefaults();

// The narrow frustum of sky objects (`env` spheres, billboards and flares):
// pushed on the projection stack with half height fov and the frame's half
// width for it at the near plane 1, far plane 1000; the modelview matrix is
// current afterwards.
void PushEnvProjection(float fov, FrameSize frame);
// Pops it again; the modelview matrix is current afterwards.
void PopEnvProjection();
