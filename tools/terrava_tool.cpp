// terrava-tool: what a developer or scene author uses without starting the
// saver. Dispatches the first argument to one subcommand.
#include <cstdio>
#include <cstring>

#include "tool_commands.h"

namespace {

struct ToolCommand {
  const char* name;
  const char* usage;
  int (*run)(int argc, char** argv);
};

const ToolCommand kCommands[] = {
    {"archive", "archive pack [--method stored|rar20] [--solid] DIR OUT | list|extract [--oem-codepage NAME] ARCHIVE [DIR]",
     RunArchiveCommand},
    {"image", "image decode IN OUT    (JPEG or TGA through the saver's decoders; OUT .pam, or .png)", RunImageCommand},
    {"mesh", "mesh sphere SUBDIVISIONS OUT | cube OUT | info FILE    (geometry files)", RunMeshCommand},
    {"scene", "scene check DIR    (load a scene folder, list its objects and skipped lines)", RunSceneCommand},
    {"render",
     "render DIR OUT.png [--width W] [--height H] [--time SECONDS] [--utc YYYY-MM-DDTHH:MM]    (one frame, "
     "off-screen; --utc: the real day and night at that instant)",
     RunRenderCommand},
    {"sun", "sun YYYY-MM-DDTHH:MM    (the subsolar point at that UTC instant: latitude longitude, degrees)",
     RunSunCommand},
};

int Usage() {
  std::fprintf(stderr, "usage: terrava-tool COMMAND ...\n");
  for (const ToolCommand& c : kCommands) std::fprintf(stderr, "  %s\n", c.usage);
  std::fprintf(stderr, "Exit code: 0 done, 1 the command failed (its message says why), 2 usage error.\n"
                       "`terrava-tool COMMAND` alone shows what 0 and 1 mean for that command.\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  for (const ToolCommand& c : kCommands)
    if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 2, argv + 2);
  return Usage();
}
