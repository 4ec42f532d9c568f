#include <gtest/gtest.h>

#include <cmath>

#include "Quaternion.h"
#include "VectorMath.h"

namespace {

void ExpectVector(const VECTOR3 &v, double x, double y, double z, double tolerance = 1e-14) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

TEST(VectorMath, SignOfZeroesAndNumbers) {
    EXPECT_EQ(Sign(-3.0), -1.0);
    EXPECT_EQ(Sign(2e-300), 1.0);
    EXPECT_EQ(Sign(0.0), 0.0);
    EXPECT_EQ(Sign(-0.0), 0.0);
    EXPECT_FALSE(std::signbit(Sign(-0.0)));
}

TEST(VectorMath, ElementaryRotationsFollowTheModuleSignPattern) {
    const double a = 0.7;
    VECTOR3 out;
    RotateXYZ(_V(1, 0, 0), _V(0, 0, a), out);
    ExpectVector(out, std::cos(a), -std::sin(a), 0);
    RotateXYZ(_V(0, 1, 0), _V(a, 0, 0), out);
    ExpectVector(out, 0, std::cos(a), -std::sin(a));
    RotateXYZ(_V(1, 0, 0), _V(0, a, 0), out);
    ExpectVector(out, std::cos(a), 0, std::sin(a));
}

TEST(SolveLinearSystem, ExchangesRowsOnAnExactZeroPivot) {
    double a[] = {0, 1, 1, 0};
    double b[] = {2, 3};
    double x[2] = {0, 0};
    EXPECT_TRUE(SolveLinearSystem(2, a, b, x));
    EXPECT_DOUBLE_EQ(x[0], 3.0);
    EXPECT_DOUBLE_EQ(x[1], 2.0);
}

TEST(SolveLinearSystem, LargestSizeSolvesAndOneMoreIsRefusedUntouched) {
    // A diagonal system of the largest size the fixed work arrays hold.
    const int n = kMaxLinearUnknowns;
    double a[(kMaxLinearUnknowns + 1) * (kMaxLinearUnknowns + 1)] = {};
    double b[kMaxLinearUnknowns + 1];
    double x[kMaxLinearUnknowns + 1];
    for (int i = 0; i < n; ++i) {
        a[i * n + i] = 2.0;
        b[i] = i;
        x[i] = -1.0;
    }
    EXPECT_TRUE(SolveLinearSystem(n, a, b, x));
    for (int i = 0; i < n; ++i) EXPECT_DOUBLE_EQ(x[i], 0.5 * i);
    for (int i = 0; i <= n; ++i) x[i] = -1.0;
    EXPECT_FALSE(SolveLinearSystem(n + 1, a, b, x));
    EXPECT_FALSE(SolveLinearSystem(0, a, b, x));
    for (int i = 0; i <= n; ++i) EXPECT_EQ(x[i], -1.0);
}

TEST(ClampToUnit, LimitsToPlusMinusOneAndTakesNaNAsOne) {
    EXPECT_EQ(ClampToUnit(1.5), 1.0);
    EXPECT_EQ(ClampToUnit(-1.5), -1.0);
    EXPECT_EQ(ClampToUnit(0.25), 0.25);
    EXPECT_EQ(ClampToUnit(std::nan("")), 1.0);
}

TEST(SolveLinearSystem, SingleUnknownIsAQuotient) {
    double a[] = {4.0};
    double b[] = {2.0};
    double x[1] = {0};
    EXPECT_TRUE(SolveLinearSystem(1, a, b, x));
    EXPECT_DOUBLE_EQ(x[0], 0.5);
}

TEST(SolveLinearSystem, ZeroPivotInMiddleColumnNeedsExchangeWithRowsBelow) {
    // After eliminating column 0 the pivot of column 1 is exactly 0.
    double a[] = {1, 1, 1, 1, 1, 2, 1, 2, 1};
    double b[] = {6, 9, 8};  // x = (1, 2, 3)
    double x[3];
    EXPECT_TRUE(SolveLinearSystem(3, a, b, x));
    EXPECT_NEAR(x[0], 1.0, 1e-14);
    EXPECT_NEAR(x[1], 2.0, 1e-14);
    EXPECT_NEAR(x[2], 3.0, 1e-14);
}

TEST(SolveLinearSystem, EmptyColumnLeavesSolutionUntouched) {
    double a[] = {0, 1, 0, 0, 2, 1, 0, 3, 4};
    double b[] = {1, 2, 3};
    double x[] = {7, 8, 9};
    EXPECT_FALSE(SolveLinearSystem(3, a, b, x));
    EXPECT_EQ(x[0], 7);
    EXPECT_EQ(x[1], 8);
    EXPECT_EQ(x[2], 9);
}

TEST(Quaternion, QuarterTurnAboutZ) {
    Quaternion q(PI / 2, _V(0, 0, 1));
    ExpectVector(q.Rotate(_V(1, 0, 0)), 0, 1, 0);
    const MATRIX3 m = q.ToMatrix();
    EXPECT_NEAR(m.m11, 0, 1e-14);
    EXPECT_NEAR(m.m12, 1, 1e-14);
    EXPECT_NEAR(m.m13, 0, 1e-14);
}

TEST(Quaternion, MatrixIsTransposeOfRotateAndProductComposes) {
    const Quaternion p(0.8, unit(_V(1, -2, 0.5)));
    const Quaternion q(-1.9, unit(_V(0.3, 0.1, 1)));
    const VECTOR3 v = _V(0.4, -1.2, 2.5);

    // Rotate equals transpose(ToMatrix) times v.
    const VECTOR3 rotated = p.Rotate(v);
    ExpectVector(tmul(p.ToMatrix(), v), rotated.x, rotated.y, rotated.z, 1e-14);
    // ToMatrix undoes the rotation.
    VECTOR3 back;
    MatrixTimesVector(rotated, p.ToMatrix(), back);
    ExpectVector(back, v.x, v.y, v.z, 1e-14);

    // (p*q) rotates as q first, then p.
    const VECTOR3 twice = p.Rotate(q.Rotate(v));
    ExpectVector((p * q).Rotate(v), twice.x, twice.y, twice.z, 1e-14);
}

TEST(Quaternion, InverseUsesNormSquaredForUnnormalisedQuaternions) {
    const Quaternion q(1, 2, 3, 4);
    EXPECT_DOUBLE_EQ(q.NormSquared(), 30.0);
    const Quaternion one = q * q.Inverse();
    EXPECT_NEAR(one.x, 0, 1e-15);
    EXPECT_NEAR(one.y, 0, 1e-15);
    EXPECT_NEAR(one.z, 0, 1e-15);
    EXPECT_NEAR(one.w, 1, 1e-15);
}

}  // namespace
