// Vector, rotation and linear-algebra building blocks of the console.
//
// Matrices are row-major; the elementary rotations follow the module's own
// sign pattern (c = cos a, s = sin a):
//   Rx(a) = ((1, 0, 0), (0, c, s), (0, -s, c))
//   Ry(a) = ((c, 0, -s), (0, 1, 0), (s, 0, c))
//   Rz(a) = ((c, s, 0), (-s, c, 0), (0, 0, 1))
#ifndef OKUL_CELESTIAL_VECTORMATH_H
#define OKUL_CELESTIAL_VECTORMATH_H

#include <OrbiterAPI.h>

// -1.0 for x < 0, 1.0 for x > 0, 0.0 otherwise (also for -0.0 and NaN).
double Sign(double x);

// x truncated towards zero, held within the range of int; NaN gives 0.
int TruncateToInt(double x);

// out = m * v. All of v is read before out is written, so out may be v.
void MatrixTimesVector(const VECTOR3 &v, const MATRIX3 &m, VECTOR3 &out);

// out = Rx(angles.x) * Ry(angles.y) * Rz(angles.z) * v; out may be v.
void RotateXYZ(const VECTOR3 &v, const VECTOR3 &angles, VECTOR3 &out);

// True when every one of the count values is a finite number.
bool AllFinite(const double *values, int count);

// Each component of v divided by s.
VECTOR3 VectorDivide(const VECTOR3 &v, double s);

// Elementary rotation matrices in the sign pattern above.
MATRIX3 RotationX(double angle);
MATRIX3 RotationY(double angle);
MATRIX3 RotationZ(double angle);

// Solves a * x = b for n unknowns by Gaussian elimination. a (n x n,
// row-major) and b are overwritten. Rows are exchanged only when a pivot is
// exactly zero; when a column has no non-zero entry at or below the diagonal
// the elimination stops and x is left as it was. Returns true when every
// pivot, the last one included, was non-zero (x then holds the solution);
// with a zero last pivot x is written with non-finite values and false is
// returned. More than kMaxLinearUnknowns unknowns (or fewer than one) are
// refused: false, nothing written.
const int kMaxLinearUnknowns = 8;
bool SolveLinearSystem(int n, double *a, double *b, double *x);

// x limited to [-1, 1] for acos and asin; NaN becomes 1, as
// std::max(-1.0, std::min(1.0, x)) has it.
inline double ClampToUnit(double x) {
    const double upper = x < 1.0 ? x : 1.0;
    return -1.0 < upper ? upper : -1.0;
}

// Exchanges two numbers (the module keeps to the C runtime: no <utility>).
inline void Exchange(double &a, double &b) {
    const double kept = a;
    a = b;
    b = kept;
}

#endif  // OKUL_CELESTIAL_VECTORMATH_H
