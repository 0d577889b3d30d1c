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
