#include <gtest/gtest.h>

#include <cmath>

#include "bodies/PlanetRotation.h"

using sim::BodyId;

namespace {

// Elementary rotations in the module's convention.
MATRIX3 rotationX(double a) { return _M(1, 0, 0, 0, std::cos(a), std::sin(a), 0, -std::sin(a), std::cos(a)); }
MATRIX3 rotationY(double a) { return _M(std::cos(a), 0, -std::sin(a), 0, 1, 0, std::sin(a), 0, std::cos(a)); }

void expectMatrixNear(const MATRIX3 &a, const MATRIX3 &b, double tolerance) {
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(a.data[i], b.data[i], tolerance) << "element " << i;
}

double angleDifference(double a, double b) { return std::remainder(a - b, 2.0 * PI); }

// Mars's body-fixed axes (x prime meridian, y pole, z 90 degrees east) in the
// simulator's ecliptic axes, straight from the IAU 2009 elements: pole
// alpha0 = 317.68143 - 0.1061 T, delta0 = 52.88650 - 0.0609 T, prime meridian
// W = 176.630 + 350.89198226 d, ICRS rotated to ecliptic J2000.
MATRIX3 marsFrameIau2009(double mjd) {
    const double d = mjd - 51544.5, centuries = d / 36525.0;
    const double alpha = (317.68143 - 0.1061 * centuries) * RAD,
                 delta = (52.88650 - 0.0609 * centuries) * RAD;
    const double w = std::fmod(176.630 + 350.89198226 * d, 360.0) * RAD;
    // Right-handed ICRS vectors of the body's x, y (90 degrees east) and pole.
    const VECTOR3 node = _V(-std::sin(alpha), std::cos(alpha), 0.0);  // ascending node on the ICRS equator
    const VECTOR3 pole =
        _V(std::cos(delta) * std::cos(alpha), std::cos(delta) * std::sin(alpha), std::sin(delta));
    const VECTOR3 across = crossp(pole, node);
    const VECTOR3 meridian = node * std::cos(w) + across * std::sin(w);
    const VECTOR3 east = crossp(pole, meridian);
    const double icrsToEcliptic[3][3] = {{0.999999999999994, -0.000000070783690, 0.000000080562140},
                                         {0.000000032897004, 0.917482129914958, 0.397776999444048},
                                         {-0.000000102070447, -0.397776999444043, 0.917482129914956}};
    auto toSimulator = [&](const VECTOR3 &v) {
        double e[3];
        for (int i = 0; i < 3; ++i)
            e[i] = icrsToEcliptic[i][0] * v.x + icrsToEcliptic[i][1] * v.y + icrsToEcliptic[i][2] * v.z;
        return _V(e[0], e[2], e[1]);
    };
    const VECTOR3 x = toSimulator(meridian), y = toSimulator(pole), z = toSimulator(east);
    return _M(x.x, y.x, z.x, x.y, y.y, z.y, x.z, y.z, z.z);
}

}  // namespace

TEST(PlanetRotation, ObliquityMatrixInvertsTheModulesEclipticToEquator) {
    const MATRIX3 identity = _M(1, 0, 0, 0, 1, 0, 0, 0, 1);
    for (BodyId body : {BodyId::Earth, BodyId::Mars, BodyId::Venus}) {
        const sim::PlanetRotation &rotation = sim::planetRotation(body);
        const MATRIX3 toEquator = mul(rotationX(rotation.obliquity), rotationY(-rotation.theta));
        expectMatrixNear(mul(rotation.obliquityMatrix(), toEquator), identity, 1e-15);
    }
    // Earth's pole leans by the obliquity from ecliptic north towards the
    // summer solstice (+z in the simulator's axes).
    const sim::PlanetRotation &earth = sim::planetRotation(BodyId::Earth);
    const VECTOR3 pole = mul(earth.obliquityMatrix(), _V(0, 1, 0));
    EXPECT_NEAR(pole.y, std::cos(23.439282 * RAD), 1e-12);
    EXPECT_NEAR(pole.z, std::cos(earth.theta) * std::sin(earth.obliquity), 1e-12);
    EXPECT_NEAR(pole.x, -std::sin(earth.theta) * std::sin(earth.obliquity), 1e-12);
}

TEST(PlanetRotation, RotationAdvancesWithTheSiderealPeriod) {
    for (BodyId body : {BodyId::Earth, BodyId::Mars, BodyId::Venus}) {
        const sim::PlanetRotation &rotation = sim::planetRotation(body);
        const double periodDays = rotation.siderealPeriod / 86400.0;
        EXPECT_NEAR(angleDifference(rotation.rotationAt(rotation.epochMjd), rotation.rotationAtEpoch), 0.0,
                    1e-12);
        EXPECT_NEAR(angleDifference(rotation.rotationAt(rotation.epochMjd + 0.25 * periodDays),
                                    rotation.rotationAtEpoch + 0.5 * PI),
                    0.0, 1e-9);
        // Ten thousand turns later and earlier, back where it started.
        for (double turns : {10000.0, -10000.0}) {
            const double angle = rotation.rotationAt(rotation.epochMjd + turns * periodDays);
            EXPECT_NEAR(angleDifference(angle, rotation.rotationAtEpoch), 0.0, 1e-8);
            EXPECT_GE(angle, 0.0);
            EXPECT_LT(angle, 2.0 * PI);
        }
    }
    // Earth turns 1.00273781191135448 times a day.
    const sim::PlanetRotation &earth = sim::planetRotation(BodyId::Earth);
    EXPECT_NEAR(angleDifference(earth.rotationAt(earth.epochMjd + 1.0),
                                earth.rotationAtEpoch + 0.00273781191135448 * 2.0 * PI),
                0.0, 1e-9);
    EXPECT_NEAR(earth.rotationAt(43200.0), 155.526631 * RAD, 1e-12);
    EXPECT_NEAR(sim::planetRotation(BodyId::Mars).rotationAt(43200.0), 177.605320 * RAD, 1e-12);
}

// Mars's elements (given to 1e-6 degrees) reproduce the IAU 2009 orientation
// at their epoch; the pole is frozen, so a few years later the frame has
// drifted by the pole's precession only (about 1e-4 rad).
TEST(PlanetRotation, MarsFollowsTheIau2009Orientation) {
    const sim::PlanetRotation &mars = sim::planetRotation(BodyId::Mars);
    expectMatrixNear(mars.rotationMatrix(43200.0), marsFrameIau2009(43200.0), 5e-8);
    expectMatrixNear(mars.rotationMatrix(43200.0 + 0.37), marsFrameIau2009(43200.0 + 0.37), 5e-8);
    expectMatrixNear(mars.rotationMatrix(45000.0), marsFrameIau2009(45000.0), 2e-4);
}
