// Rotation quaternion, vector part first: (x, y, z, w).
#ifndef OKUL_CELESTIAL_QUATERNION_H
#define OKUL_CELESTIAL_QUATERNION_H

#include <OrbiterAPI.h>

class Quaternion {
public:
    // The identity (0, 0, 0, 1).
    Quaternion() : x(0.0), y(0.0), z(0.0), w(1.0) {}
    Quaternion(double x, double y, double z, double w) : x(x), y(y), z(z), w(w) {}
    // Rotation by angle about axis; the axis is taken as given (a unit axis
    // gives a unit quaternion).
    Quaternion(double angle, const VECTOR3 &axis);

    // Hamilton product this * other.
    Quaternion operator*(const Quaternion &other) const;

    // Row-major matrix of the quaternion. It is the transpose of the matrix
    // that turns a vector the way Rotate does, i.e. it maps rotated vectors
    // back to the unrotated frame.
    MATRIX3 ToMatrix() const;

    double NormSquared() const { return x * x + y * y + z * z + w * w; }

    // (-x, -y, -z, w) / NormSquared().
    Quaternion Inverse() const;

    // Vector part of this * (v, 0) * Inverse().
    VECTOR3 Rotate(const VECTOR3 &v) const;

    double x, y, z, w;
};

#endif  // OKUL_CELESTIAL_QUATERNION_H
