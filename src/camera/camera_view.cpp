// The camera's view transform: the module's only OpenGL call.
#include "camera/camera_controller.h"

// mingw-w64's GL headers pull in the whole Windows API unless the calling
// convention macros they use are already defined; the portable core keeps
// the Windows headers out, so it defines just these three.
#if defined(_WIN32) && !defined(APIENTRY)
#define APIENTRY __stdcall
#endif
#if defined(_WIN32) && !defined(WINGDIAPI)
#define WINGDIAPI __declspec(dllimport)
#endif
#if defined(_WIN32) && !defined(CALLBACK)
#define CALLBACK __stdcall
#endif
#include <GL/gl.h>
#include <GL/glu.h>

void CameraController::ApplyView() const {
  Vector3 center = Add(eye, forward);
  gluLookAt(eye.x, eye.y, eye.z, center.x, center.y, center.z, up.x, up.y, up.z);
}
