// The camera's view transform: the module's only OpenGL call.
#include "camera/camera_controller.h"

#include "platform/opengl.h"

void CameraController::ApplyView() const {
  Vector3 center = Add(eye, forward);
  gluLookAt(eye.x, eye.y, eye.z, center.x, center.y, center.z, up.x, up.y, up.z);
}
