// Turning a vessel so that its camera (+z) looks along a direction, for the
// tests and benchmarks of the outside view.
#pragma once

#include <OrbiterAPI.h>

#include <cmath>

namespace testsupport {

// A rotation (vessel axes to global) whose +z axis points along `forward`,
// +y as near ecliptic north as the direction allows.
inline MATRIX3 lookingAlong(VECTOR3 forward) {
    forward = unit(forward);
    const VECTOR3 helper = std::fabs(forward.y) < 0.9 ? _V(0, 1, 0) : _V(1, 0, 0);
    // Left-handed frame: x = y × z with the simulator's crossp.
    const VECTOR3 right = unit(crossp(helper, forward));
    const VECTOR3 up = crossp(forward, right);
    return _M(right.x, up.x, forward.x, right.y, up.y, forward.y, right.z, up.z, forward.z);
}

}  // namespace testsupport
