#include "VectorMath.h"

#include <climits>
#include <cmath>

double Sign(double x) {
    if (x < 0.0) return -1.0;
    if (x > 0.0) return 1.0;
    return 0.0;
}

int TruncateToInt(double x) {
    if (x != x) return 0;
    if (x <= INT_MIN) return INT_MIN;
    if (x >= INT_MAX) return INT_MAX;
    return static_cast<int>(x);
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

bool AllFinite(const double *values, int count) {
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(values[i])) return false;
    }
    return true;
}

VECTOR3 VectorDivide(const VECTOR3 &v, double s) { return _V(v.x / s, v.y / s, v.z / s); }

bool SolveLinearSystem(int n, double *a, double *b, double *x) {
    if (n < 1 || n > kMaxLinearUnknowns) return false;
    double y[kMaxLinearUnknowns] = {};
    double u[kMaxLinearUnknowns * kMaxLinearUnknowns] = {};
    for (int i = 0; i < n - 1; ++i) {
        double *rowI = a + i * n;
        if (rowI[i] == 0.0) {
            int j = i + 1;
            while (j < n && a[j * n + i] == 0.0) ++j;
            if (j == n) return false;
            double *rowJ = a + j * n;
            for (int c = 0; c < n; ++c) Exchange(rowI[c], rowJ[c]);
            Exchange(b[i], b[j]);
        }
        y[i] = b[i] / rowI[i];
        for (int r = i + 1; r < n; ++r) {
            double *rowR = a + r * n;
            b[r] -= y[i] * rowR[i];
            // From the right, so that rowR[i] keeps its value until the last
            // column and serves as the multiplier for the whole row.
            for (int c = n - 1; c >= i; --c) {
                u[i * n + c] = rowI[c] / rowI[i];
                rowR[c] -= u[i * n + c] * rowR[i];
            }
        }
    }
    const double lastPivot = a[(n - 1) * n + (n - 1)];
    x[n - 1] = b[n - 1] / lastPivot;
    for (int i = n - 2; i >= 0; --i) {
        double sum = 0.0;
        for (int c = i + 1; c < n; ++c) sum += u[i * n + c] * x[c];
        x[i] = y[i] - sum;
    }
    return lastPivot != 0.0;
}
