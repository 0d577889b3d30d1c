// CameraController: the saver's one camera, on an endless random flight
// around the world's origin. It keeps three keys K0, K1, K2, flies the
// segment K0 -> K1 and, each time that segment is finished, rolls the keys
// forward and appends a new random key. Every key lies 40000 to 90000 world
// units from the origin (the Earth's radius is 16200) and faces it; between
// keys the orientation follows the quaternion curve.
//
// Every random value comes from the process-wide generator (camera/random.h)
// in a fixed order, so a seed reproduces the flight exactly.
#pragma once

#include "camera/keyframe.h"
#include "camera/quaternion.h"
#include "camera/vector3.h"
#include "platform/frame_size.h"

class CameraController {
 public:
  virtual ~CameraController() {}

  // Builds K0, K1, K2 and the controls of K0 and K1 from five random
  // fractions and three random axes (14 draws). Once per saver run, after loading;
  // segmentParameter is left as it is.
  void StartFlight();

  // Moves the camera by dt (seconds of real time already multiplied by the
  // speed factor; one segment per 10 units). Finishing a segment rolls the
  // keys once per call and draws 5 values for the new key; a dt that takes
  // segmentParameter past 2 leaves it at 1 or above for this call, so the
  // curves are evaluated past K1 and the next call rolls again.
  void Advance(double dt);

  // Multiplies the current matrix (the modelview, loaded with the identity)
  // by the view from eye towards eye + forward with the given up (gluLookAt).
  // Needs the calling thread's current GL context.
  void ApplyView() const;

  Vector3 position = {0.0f, 0.0f, 0.0f};  // world units
  Vector3 eye = {0.0f, 0.0f, 0.0f};       // eye of the view; equals position when drawing
  Vector3 forward = {0.0f, 0.0f, -1.0f};  // unit viewing direction
  Vector3 up = {0.0f, 1.0f, 0.0f};        // unit up direction of the image
  Quaternion orientation;                 // set by Advance
  float segmentParameter = 0.0f;          // s within segment K0 -> K1, 0..1
  Keyframe keys[3];                       // K0, K1 (segment flown), K2 (next key)
  FrameSize frame;                        // the drawable the view is projected onto

 private:
  void PlaceFirstKey(Vector3 wanderAxis);
  void PlaceSecondKey(Vector3& wanderAxis);
  void PlaceThirdKey(Vector3& wanderAxis);
  void StartNextSegment();
};

// Orientation of a key at p (not the origin) that looks at the origin, with
// the image's up direction the part of world -y perpendicular to the view:
// read back through ToMatrix, (m0, m4, m8) is the direction to the origin.
Quaternion LookAtOrigin(Vector3 p);

// Multiplier of the frame time for the camera from the Speed setting
// (0..100, default 50): speed / 50 + 0.5, so 0.5, 1.5 and 2.5 at 0, 50 and
// 100, and one segment lasts 10 / factor seconds.
double CameraSpeedFactor(unsigned speed);
