// The OpenGL state of a scene frame. InitSceneGlState sets what stays fixed
// for the life of a GL context (lights, light model, the 4:3 projection);
// ApplyFrameDefaults sets the state every object's Render finds on entry and
// puts back on exit, so a render test can compare the two after each kind.
#pragma once

// Once per GL context, after it is made current: the enables, lights, light
// model and projection of the saver's frame (width and height in pixels set
// the viewport only; the projection is 4:3 whatever the size). Leaves the
// frame defaults applied and the modelview matrix current and identity.
void InitSceneGlState(int width, int height);

// The frame defaults, in two groups.
// Changed by objects, and restored by each Render before it returns:
//   enabled  GL_ALPHA_TEST, GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT1, GL_BLEND,
//            GL_TEXTURE_2D
//   disabled GL_LIGHT0, GL_CULL_FACE, GL_COLOR_MATERIAL, GL_TEXTURE_GEN_S,
//            GL_TEXTURE_GEN_T
//   blend function (GL_SRC_ALPHA, GL_ONE); alpha function (GL_ALWAYS, 0);
//   depth mask on; cull face GL_BACK; matrix mode GL_MODELVIEW; texture
//   matrix identity; one matrix on the projection and texture stacks.
// Set here at the start of a frame, but left by objects as they set them:
//   current colour (1, 1, 1, 1); GL_TEXTURE_ENV_MODE GL_MODULATE; bound
//   texture (objects without a texture line draw with the one before them).
// Never changed by objects: GL_NORMALIZE on, lights and light model (except
// the position of GL_LIGHT3, the night-side light each `night` layer places
// and switches on and off again), the projection matrix (objects that load
// their own push and pop it).
void ApplyFrameDefaults();

// The narrow frustum of sky objects (`env` spheres and billboards): pushed on
// the projection stack with half height fov and half width fov * 4/3 at the
// near plane 1, far plane 1000; the modelview matrix is current afterwards.
void PushEnvProjection(float fov);
// Pops it again; the modelview matrix is current afterwards.
void PopEnvProjection();
