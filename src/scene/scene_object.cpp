// The shared operations of every scene object: texture binding by path, the
// translation to its position, and name lookup in an object list.
#include "scene/scene_object.h"

#include <cstring>

#include "platform/opengl.h"
#include "image/texture_manager.h"

bool SceneObject::SetTexture(const char* textureName) {
  alphaTexture = TexturePathCarriesAlpha(textureName);
  const Texture* texture = FindTexture(textureManager, textureName);
  if (texture == nullptr) return false;
  textureId = texture->glName;
  return true;
}

void SceneObject::ApplyPosition() const { glTranslatef(position.x, position.y, position.z); }

SceneObject* FindObject(const ObjectList& list, const char* name) {
  for (size_t i = 0; i < list.Count(); ++i)
    if (std::strcmp(list.At(i)->name, name) == 0) return list.At(i);
  return nullptr;
}
