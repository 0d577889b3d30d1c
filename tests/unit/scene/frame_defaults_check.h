// The check that a Render left the frame defaults (frame_state.h) for the
// next object: the "changed by objects" group, read back from OpenGL, on a
// 160 x 120 frame.
#pragma once

#include <gtest/gtest.h>

#include "platform/opengl.h"

inline void ExpectMaterial(GLenum component, float r, float g, float b, float a) {
  GLfloat value[4];
  glGetMaterialfv(GL_FRONT, component, value);
  const float expected[4] = {r, g, b, a};
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(expected[i], value[i]) << std::hex << component << " " << i;
}

inline void ExpectFrameDefaults() {
  for (GLenum on : {GL_ALPHA_TEST, GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT1, GL_BLEND, GL_TEXTURE_2D})
    EXPECT_TRUE(glIsEnabled(on)) << std::hex << on;
  for (GLenum off : {GL_LIGHT0, GL_LIGHT3, GL_CULL_FACE, GL_COLOR_MATERIAL, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T})
    EXPECT_FALSE(glIsEnabled(off)) << std::hex << off;
  GLint value = 0;
  const GLenum queries[][2] = {{GL_BLEND_SRC, GL_SRC_ALPHA},        {GL_BLEND_DST, GL_ONE},
                               {GL_ALPHA_TEST_FUNC, GL_ALWAYS},     {GL_CULL_FACE_MODE, GL_BACK},
                               {GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR},
                               {GL_MATRIX_MODE, GL_MODELVIEW},      {GL_MODELVIEW_STACK_DEPTH, 1},
                               {GL_PROJECTION_STACK_DEPTH, 1},      {GL_TEXTURE_STACK_DEPTH, 1}};
  for (const auto& q : queries) {
    glGetIntegerv(q[0], &value);
    EXPECT_EQ(GLint(q[1]), value) << std::hex << q[0];
  }
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
  EXPECT_EQ(GLint(GL_MODULATE), value) << "texture environment mode";
  GLboolean masks[5] = {};
  glGetBooleanv(GL_DEPTH_WRITEMASK, &masks[0]);
  glGetBooleanv(GL_COLOR_WRITEMASK, &masks[1]);
  for (GLboolean mask : masks) EXPECT_TRUE(mask);
  ExpectMaterial(GL_AMBIENT, 1.0f, 1.0f, 1.0f, 1.0f);
  ExpectMaterial(GL_DIFFUSE, 1.0f, 1.0f, 1.0f, 1.0f);
  ExpectMaterial(GL_SPECULAR, 0.0f, 0.0f, 0.0f, 1.0f);
  ExpectMaterial(GL_EMISSION, 0.0f, 0.0f, 0.0f, 1.0f);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(160, viewport[2]);
  EXPECT_EQ(120, viewport[3]);
  GLfloat texture[16];
  glGetFloatv(GL_TEXTURE_MATRIX, texture);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(i % 5 == 0 ? 1.0f : 0.0f, texture[i]);
  EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}
