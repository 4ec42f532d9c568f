// Orientation helpers for the simulator: Euler angles as scenarios store
// them and the frame in which an attached child hangs from its parent.
#pragma once

#include <OrbiterAPI.h>

namespace sim {

// R = Rx(a)·Ry(b)·Rz(c) with Rx(a) = ((1,0,0),(0,cos a,sin a),(0,-sin a,cos a)),
// Ry(b) = ((cos b,0,-sin b),(0,1,0),(sin b,0,cos b)),
// Rz(c) = ((cos c,sin c,0),(-sin c,cos c,0),(0,0,1)); R takes vessel
// coordinates to global ones.
MATRIX3 rotationFromEulerAngles(const VECTOR3 &arot);
// The inverse: (atan2(R23, R33), -asin(R13), atan2(R12, R11)).
VECTOR3 eulerAnglesOf(const MATRIX3 &R);

// The rotation Q (child coordinates to parent coordinates) that hangs a child
// at a parent's attachment point: the child's point direction becomes the
// opposite of the parent's (the two points face each other) and the two
// rotation references become parallel.
MATRIX3 attachmentRotation(const VECTOR3 &parentDir, const VECTOR3 &parentRot, const VECTOR3 &childDir,
                           const VECTOR3 &childRot);

MATRIX3 identityMatrix();
MATRIX3 transpose(const MATRIX3 &m);

}  // namespace sim
