#include "core/Rotation.h"

#include <algorithm>
#include <cmath>

namespace sim {

MATRIX3 identityMatrix() { return _M(1, 0, 0, 0, 1, 0, 0, 0, 1); }

MATRIX3 transpose(const MATRIX3 &m) { return _M(m.m11, m.m21, m.m31, m.m12, m.m22, m.m32, m.m13, m.m23, m.m33); }

MATRIX3 rotationFromEulerAngles(const VECTOR3 &arot) {
    double ca = std::cos(arot.x), sa = std::sin(arot.x);
    double cb = std::cos(arot.y), sb = std::sin(arot.y);
    double cc = std::cos(arot.z), sc = std::sin(arot.z);
    MATRIX3 rx = _M(1, 0, 0, 0, ca, sa, 0, -sa, ca);
    MATRIX3 ry = _M(cb, 0, -sb, 0, 1, 0, sb, 0, cb);
    MATRIX3 rz = _M(cc, sc, 0, -sc, cc, 0, 0, 0, 1);
    return mul(rx, mul(ry, rz));
}

VECTOR3 eulerAnglesOf(const MATRIX3 &R) {
    return _V(std::atan2(R.m23, R.m33), -std::asin(std::max(-1.0, std::min(1.0, R.m13))),
              std::atan2(R.m12, R.m11));
}

// Orthonormal frame whose columns are the rotation reference (made
// perpendicular to the direction), direction x reference, and direction.
static MATRIX3 pointFrame(const VECTOR3 &dir, const VECTOR3 &rot) {
    VECTOR3 d = length(dir) > 0 ? unit(dir) : _V(0, 0, 1);
    VECTOR3 r = rot - d * dotp(rot, d);
    if (length(r) < 1e-12) {
        // Reference parallel to the direction: pick any perpendicular.
        r = std::fabs(d.x) < 0.9 ? _V(1, 0, 0) : _V(0, 1, 0);
        r = r - d * dotp(r, d);
    }
    r = unit(r);
    VECTOR3 s = crossp(d, r);
    return _M(r.x, s.x, d.x, r.y, s.y, d.y, r.z, s.z, d.z);
}

MATRIX3 attachmentRotation(const VECTOR3 &parentDir, const VECTOR3 &parentRot, const VECTOR3 &childDir,
                           const VECTOR3 &childRot) {
    MATRIX3 target = pointFrame(-parentDir, parentRot);
    MATRIX3 child = pointFrame(childDir, childRot);
    return mul(target, transpose(child));
}

}  // namespace sim
