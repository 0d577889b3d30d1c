// TextureManager: the ordered list of loaded textures, filled once from the
// archive's "texture.txt" while the loader screen shows, and read by the
// scene, which finds textures by their exact path.
#pragma once

#include <list>
#include <memory>

#include "image/texture.h"

class TextureManager {
 public:
  TextureManager() = default;
  TextureManager(const TextureManager&) = delete;
  TextureManager& operator=(const TextureManager&) = delete;

  // Appends at the end and takes ownership; entries are never removed.
  void Append(Texture* texture);
  const std::list<std::unique_ptr<Texture>>& Entries() const { return entries_; }

  // Empties the list (for tests that load several lists in one process). The
  // textures' GL names are not deleted: they go with the GL context.
  void Reset();

 private:
  std::list<std::unique_ptr<Texture>> entries_;  // load order
};

// The process-wide texture list of the saver run.
extern TextureManager textureManager;

// The first entry whose path equals path byte for byte (case-sensitive), or
// null when none does.
Texture* FindTexture(const TextureManager& manager, const char* path);
// The entry that made OpenGL texture glName, or null (always for 0).
Texture* FindTextureByGlName(const TextureManager& manager, uint32_t glName);

// Reads the archive member listName, one texture name per line (its first
// word; blank lines skipped), until a line starting with "END_TEXT" or the
// end of the member, and appends one loaded Texture per name, also when the
// load fails (glName 0). With reportProgress set, reports one loading step
// per texture. A member that does not open leaves the list unchanged.
void LoadTextureList(TextureManager& manager, const char* listName, bool reportProgress);
