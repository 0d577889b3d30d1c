// The subcommands of terrava-tool. Each lives in its own tool_<name>.cpp and
// receives the arguments after its own name; it returns the exit code.
#pragma once

int RunArchiveCommand(int argc, char** argv);  // tool_archive.cpp
int RunImageCommand(int argc, char** argv);    // tool_image.cpp
int RunMeshCommand(int argc, char** argv);     // tool_mesh.cpp
int RunSceneCommand(int argc, char** argv);    // tool_scene.cpp
int RunRenderCommand(int argc, char** argv);   // tool_render.cpp
int RunSunCommand(int argc, char** argv);      // tool_sun.cpp
