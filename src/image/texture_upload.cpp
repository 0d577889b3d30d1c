// Mipmapped texture upload through GLU, shared by the JPEG and TGA paths.
#include "image/texture_upload.h"

#include "platform/opengl.h"

uint32_t UploadMipmappedTexture(UploadFormat format, int width, int height, const uint8_t* pixels) {
  const bool rgba = format == UploadFormat::kRgba;
  GLuint name = 0;
  glGenTextures(1, &name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glBindTexture(GL_TEXTURE_2D, name);
  const GLint built = gluBuild2DMipmaps(GL_TEXTURE_2D, rgba ? 4 : 3, width, height, rgba ? GL_RGBA : GL_RGB,
                                        GL_UNSIGNED_BYTE, pixels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (built != 0) {
    glDeleteTextures(1, &name);
    return 0;
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return name;
}
