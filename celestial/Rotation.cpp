#include "Rotation.h"

#include <cmath>

double Sign(double x) {
    if (x < 0.0) return -1.0;
    if (x > 0.0) return 1.0;
    return 0.0;
}

void MatrixTimesVector(const VECTOR3 &v, const MATRIX3 &m, VECTOR3 &out) {
    const double x = v.x, y = v.y, z = v.z;
    out.x = m.m11 * x + m.m12 * y + m.m13 * z;
    out.y = m.m21 * x + m.m22 * y + m.m23 * z;
    out.z = m.m31 * x + m.m32 * y + m.m33 * z;
}

MATRIX3 RotationX(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return _M(1.0, 0.0, 0.0, 0.0, c, s, 0.0, -s, c);
}

MATRIX3 RotationY(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return _M(c, 0.0, -s, 0.0, 1.0, 0.0, s, 0.0, c);
}

MATRIX3 RotationZ(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return _M(c, s, 0.0, -s, c, 0.0, 0.0, 0.0, 1.0);
}

void RotateXYZ(const VECTOR3 &v, const VECTOR3 &angles, VECTOR3 &out) {
    // Read the angles first: out may alias either argument.
    const double ax = angles.x, ay = angles.y, az = angles.z;
    MatrixTimesVector(v, RotationZ(az), out);
    MatrixTimesVector(out, RotationY(ay), out);
    MatrixTimesVector(out, RotationX(ax), out);
}

VECTOR3 VectorDivide(const VECTOR3 &v, double s) { return _V(v.x / s, v.y / s, v.z / s); }
