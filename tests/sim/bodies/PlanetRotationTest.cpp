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

}  // namespace

TEST(PlanetRotation, ObliquityMatrixInvertsTheModulesEclipticToEquator) {
    const MATRIX3 identity = _M(1, 0, 0, 0, 1, 0, 0, 0, 1);
    for (BodyId body : {BodyId::Earth, BodyId::Mars, BodyId::Venus}) {
        const sim::PlanetRotation &rotation = sim::planetRotation(body);
        const MATRIX3 toEquator = mul(rotationX(rotation.obliquity), rotationY(-rotation.theta));
        expectMatrixNear(mul(rotation.obliquityMatrix(), toEquator), identity, 1e-15);
        expectMatrixNear(rotation.obliquityMatrix(),
                         mul(rotationY(rotation.theta), rotationX(-rotation.obliquity)), 1e-15);
    }
    // Earth's pole, ecliptic longitude 90 degrees + theta... seen in the
    // simulator's axes: tilted by the obliquity from ecliptic north towards
    // the solstice (+z).
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

TEST(PlanetRotation, RotationMatrixTurnsTheBodyFixedFrameAboutThePole) {
    const sim::PlanetRotation &mars = sim::planetRotation(BodyId::Mars);
    const double mjd = 44000.3;
    const double w = mars.rotationAt(mjd);
    expectMatrixNear(mars.rotationMatrix(mjd), mul(mars.obliquityMatrix(), rotationY(w)), 1e-15);
    // The pole stays put; the prime meridian moves east with time.
    const VECTOR3 pole = mul(mars.rotationMatrix(mjd), _V(0, 1, 0));
    const VECTOR3 fixedPole = mul(mars.obliquityMatrix(), _V(0, 1, 0));
    EXPECT_NEAR(dist(pole, fixedPole), 0.0, 1e-15);
    const MATRIX3 toEquator = mul(rotationX(mars.obliquity), rotationY(-mars.theta));
    const VECTOR3 meridian = mul(toEquator, mul(mars.rotationMatrix(mjd), _V(1, 0, 0)));
    EXPECT_NEAR(angleDifference(std::atan2(meridian.z, meridian.x), w), 0.0, 1e-12);
}
