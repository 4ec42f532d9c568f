#include "Quaternion.h"

#include <cmath>

Quaternion::Quaternion(double angle, const VECTOR3 &axis) {
    const double s = std::sin(angle / 2.0);
    x = s * axis.x;
    y = s * axis.y;
    z = s * axis.z;
    w = std::cos(angle / 2.0);
}

Quaternion Quaternion::operator*(const Quaternion &q) const {
    return Quaternion(w * q.x + x * q.w + y * q.z - z * q.y,  //
                      w * q.y - x * q.z + y * q.w + z * q.x,  //
                      w * q.z + x * q.y - y * q.x + z * q.w,  //
                      w * q.w - x * q.x - y * q.y - z * q.z);
}

MATRIX3 Quaternion::ToMatrix() const {
    return _M(1.0 - 2.0 * (y * y + z * z), 2.0 * (x * y + z * w), 2.0 * (x * z - y * w),  //
              2.0 * (x * y - z * w), 1.0 - 2.0 * (x * x + z * z), 2.0 * (y * z + x * w),  //
              2.0 * (x * z + y * w), 2.0 * (y * z - x * w), 1.0 - 2.0 * (x * x + y * y));
}

Quaternion Quaternion::Inverse() const {
    const double n = NormSquared();
    return Quaternion(-x / n, -y / n, -z / n, w / n);
}

VECTOR3 Quaternion::Rotate(const VECTOR3 &v) const {
    const Quaternion r = (*this) * Quaternion(v.x, v.y, v.z, 0.0) * Inverse();
    return _V(r.x, r.y, r.z);
}
