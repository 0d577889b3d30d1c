// terrava-tool scene check DIR: loads a scene folder (env.txt, worlds.txt,
// the object files they name, texture.txt and the meshes) with the saver's
// own loaders and prints, per world and pass, each object's kind, name and
// texture with the lines of its block that were skipped or unreadable, then
// the other skipped lines. Exit code 0 when nothing was skipped, 1 when
// something was or no world loaded, 2 for a usage error.
#include <cstdio>
#include <cstring>
#include <string>

#include "image/texture_manager.h"
#include "scene/scene_world.h"
#include "scene_loading.h"
#include "tool_commands.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: terrava-tool scene check DIR\n"
                       "Exit code: 0 every line read and a world loaded; 1 a line skipped or unreadable,\n"
                       "no world, DIR not mounted or no off-screen OpenGL; 2 usage error.\n");
  return 2;
}

// The path of the texture list entry an object binds, or what stands instead.
std::string TextureText(const SceneObject& object) {
  if (!object.hasTexture) return "-";
  for (const auto& texture : textureManager.Entries())
    if (texture->glName != 0 && texture->glName == object.textureId) return texture->path;
  return "(not loaded)";
}

void PrintIssue(const ParseIssue& issue, const char* indent) {
  std::printf("%s%s:%d: %s\n", indent, issue.file.c_str(), issue.line, issue.message.c_str());
}

void PrintList(const char* title, const ObjectList* list, const ParseReport& report) {
  size_t count = list != nullptr ? list->Count() : 0;
  std::printf("  %s: %zu object%s%s\n", title, count, count == 1 ? "" : "s",
              list == nullptr ? " (no environment)" : "");
  for (size_t i = 0; i < count; ++i) {
    const SceneObject& object = *list->At(i);
    std::printf("    %-10s %-15s %s\n", object.KindName(), object.name[0] ? object.name : "-",
                TextureText(object).c_str());
    for (const ParseIssue& issue : report.issues)
      if (issue.object == &object) PrintIssue(issue, "        ");
  }
}

int Check(const char* dir) {
  std::string error;
  if (!MountSceneFolder(dir, &error)) {
    std::fprintf(stderr, "scene check: %s\n", error.c_str());
    return 1;
  }
  OffscreenContext gl(64, 64);
  if (!gl.Ready()) {
    std::fprintf(stderr, "scene check: no off-screen OpenGL context\n");
    return 1;
  }
  ParseReport report;
  RunState run;
  LoadSceneFolder(run, FrameSize{gl.width, gl.height}, &report);

  size_t failed = 0;
  for (const auto& texture : textureManager.Entries()) failed += texture->glName == 0;
  std::printf("textures: %zu listed, %zu not loaded\n", textureManager.Entries().size(), failed);
  for (const auto& world : sceneRegistry.worlds) {
    std::printf("world %s%s\n", world->name, world->system ? " (system)" : "");
    PrintList("first pass", world->firstPass, report);
    PrintList("objects", &world->objects, report);
    PrintList("post pass", world->postPass, report);
  }
  std::printf("start world: %s\n", sceneRegistry.currentWorld ? sceneRegistry.currentWorld->name : "none");
  size_t loose = 0;
  for (const ParseIssue& issue : report.issues) loose += issue.object == nullptr;
  if (loose > 0) std::printf("lines outside objects:\n");
  for (const ParseIssue& issue : report.issues)
    if (issue.object == nullptr) PrintIssue(issue, "  ");
  std::printf("%zu world(s), %zu environment(s), %zu note(s)\n", sceneRegistry.worlds.size(),
              sceneRegistry.envs.size(), report.issues.size());
  return report.issues.empty() && !sceneRegistry.worlds.empty() ? 0 : 1;
}

}  // namespace

int RunSceneCommand(int argc, char** argv) {
  if (argc != 2 || std::strcmp(argv[0], "check") != 0) return Usage();
  return Check(argv[1]);
}
