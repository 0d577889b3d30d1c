// What terrava-tool's scene and render commands share: a scene folder
// mounted as the data archive (packed in memory, stored, exactly as the
// Windows build packs resources/data), an off-screen OpenGL context, and
// the saver's loading steps for textures, geometry and scene files.
#pragma once

#include <GL/osmesa.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/frame_size.h"
#include "run/run_state.h"
#include "scene/scene_values.h"

// Packs every file below dir into an archive and installs it as the data
// archive resource. False with error set when the folder cannot be read.
bool MountSceneFolder(const char* dir, std::string* error);

// A current OSMesa context drawing into an RGBA buffer with a depth buffer.
class OffscreenContext {
 public:
  OffscreenContext(int width, int height);
  ~OffscreenContext();
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  bool Ready() const { return ready; }
  // RGBA bytes of the drawn picture, top row first.
  std::vector<uint8_t> ReadTopDown() const;

  const int width, height;  // pixels

 private:
  OSMesaContext context = nullptr;
  std::vector<uint8_t> buffer;
  bool ready = false;
};

// The start of a saver run with a current context of frame's size, through
// the run core: GL state for the frame, LoadRunWorld ("texture.txt", the
// glyph font, the sphere lists, the scan sphere, env.txt and worlds.txt into
// sceneRegistry; report, when given, collects the skipped lines), then
// BeginRunFlight at the factory camera speed (the start world, and
// run.camera's flight from the loading pose).
void LoadSceneFolder(RunState& run, FrameSize frame, ParseReport* report);

// Undoes MountSceneFolder and LoadSceneFolder (the run core's ReleaseRunWorld,
// then glyph font, textures, resources, random generator, parser state and
// scene clock), so that one process can load a folder again with the same
// result.
void UnloadSceneFolder();
