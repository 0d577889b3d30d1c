// The texture list: append, reset, lookup by exact path or by GL name.
#include "image/texture_manager.h"

#include <cstring>

TextureManager textureManager;

void TextureManager::Append(Texture* texture) { entries_.emplace_back(texture); }

void TextureManager::Reset() { entries_.clear(); }

Texture* FindTexture(const TextureManager& manager, const char* path) {
  for (const std::unique_ptr<Texture>& texture : manager.Entries())
    if (std::strcmp(texture->path, path) == 0) return texture.get();
  return nullptr;
}

Texture* FindTextureByGlName(const TextureManager& manager, uint32_t glName) {
  if (glName == 0) return nullptr;
  for (const std::unique_ptr<Texture>& texture : manager.Entries())
    if (texture->glName == glName) return texture.get();
  return nullptr;
}
