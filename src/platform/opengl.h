// OpenGL 1.1 and GLU for the portable core, without <windows.h>.
//
// mingw-w64's GL headers pull in the whole Windows API unless the calling
// convention macros they use are already defined; defining just these keeps
// Win32 names (and their A/W renaming macros) out of portable code.
#pragma once

#if defined(_WIN32)
#ifndef APIENTRY
#define APIENTRY __stdcall
#endif
#ifndef WINGDIAPI
#define WINGDIAPI __declspec(dllimport)
#endif
#ifndef CALLBACK
#define CALLBACK __stdcall
#endif
#endif

#include <GL/gl.h>
#include <GL/glu.h>

// OpenGL 1.2 names that mingw-w64's GL 1.1 header lacks. An OpenGL 1.1
// implementation refuses the light model's colour control and always sums
// the specular term into the one colour, as GL_SINGLE_COLOR does.
#ifndef GL_LIGHT_MODEL_COLOR_CONTROL
#define GL_LIGHT_MODEL_COLOR_CONTROL 0x81F8
#endif
#ifndef GL_SINGLE_COLOR
#define GL_SINGLE_COLOR 0x81F9
#endif
#ifndef GL_SEPARATE_SPECULAR_COLOR
#define GL_SEPARATE_SPECULAR_COLOR 0x81FA
#endif
