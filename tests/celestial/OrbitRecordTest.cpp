#include <gtest/gtest.h>

#include <cmath>

#include "OrbitRecord.h"

namespace {

const double kMuSun = 1.3271243995508995e20;
const double kMuMars = 4.282829916378e13;

OrbitRecord StateRecord(double mu, double epoch, const VECTOR3 &position, const VECTOR3 &velocity) {
    OrbitRecord o = {};
    o.mu = mu;
    o.epoch = epoch;
    o.position = position;
    o.velocity = velocity;
    return o;
}

void ExpectRelativelyNear(const VECTOR3 &actual, const VECTOR3 &expected, double relative) {
    const double bound = relative * length(expected);
    EXPECT_NEAR(actual.x, expected.x, bound);
    EXPECT_NEAR(actual.y, expected.y, bound);
    EXPECT_NEAR(actual.z, expected.z, bound);
}

void ExpectRoundTrip(const OrbitRecord &start) {
    OrbitRecord o = start;
    StateToElements(o);
    o.position = _V(0, 0, 0);
    o.velocity = _V(0, 0, 0);
    const int iterations = ElementsToState(o);
    EXPECT_GE(iterations, 0);
    EXPECT_LT(iterations, 20);
    ExpectRelativelyNear(o.position, start.position, 1e-9);
    ExpectRelativelyNear(o.velocity, start.velocity, 1e-9);
}

TEST(OrbitRecord, PeriapsisAndApoapsisStates) {
    const double radius = 7.0e6;
    const double circular = std::sqrt(kMuMars / radius);
    const double tilt = 0.3;
    // Faster than circular: the state is the periapsis.
    OrbitRecord peri = StateRecord(kMuMars, 43000.0, _V(radius, 0, 0),
                                   _V(0, 1.2 * circular * std::sin(tilt), 1.2 * circular * std::cos(tilt)));
    StateToElements(peri);
    EXPECT_EQ(peri.trueAnomaly, 0.0);
    EXPECT_NEAR(peri.periapsisTime, 43000.0, 1e-12);
    EXPECT_NEAR(peri.inclination, tilt, 1e-12);
    EXPECT_NEAR(peri.semiLatusRectum / (1 + peri.eccentricity), radius, 1e-6);
    // The state itself is left in the simulator's layout.
    EXPECT_EQ(peri.position.x, radius);
    EXPECT_EQ(peri.position.y, 0.0);

    // Slower than circular: the state is the apoapsis, half a period after
    // the periapsis.
    OrbitRecord apo = StateRecord(kMuMars, 43000.0, _V(radius, 0, 0),
                                  _V(0, 0.8 * circular * std::sin(tilt), 0.8 * circular * std::cos(tilt)));
    StateToElements(apo);
    EXPECT_NEAR(apo.trueAnomaly, PI, 1e-12);
    EXPECT_NEAR((43000.0 - apo.periapsisTime) * 86400.0, apo.period / 2.0, 1e-3);
    EXPECT_LT(apo.eccentricity, 1.0);
}

TEST(OrbitRecord, EllipticAndHyperbolicRoundTrips) {
    // A heliocentric ellipse, inclined, away from its apsides.
    ExpectRoundTrip(StateRecord(kMuSun, 43000.0, _V(1.2e11, 3.0e9, -8.0e10), _V(12.0e3, 1.5e3, 25.0e3)));
    // Receding and approaching on a Mars hyperbola.
    ExpectRoundTrip(StateRecord(kMuMars, 43049.0, _V(-2.0e7, 3.0e6, 1.5e7), _V(3000.0, -400.0, -2500.0)));
    ExpectRoundTrip(StateRecord(kMuMars, 43049.0, _V(-2.0e7, 3.0e6, 1.5e7), _V(-3000.0, 400.0, 2500.0)));
    // Retrograde, below the reference plane, highly eccentric ellipse.
    ExpectRoundTrip(StateRecord(kMuMars, 43049.0, _V(5.0e6, -4.0e6, -1.0e6), _V(-500.0, 1200.0, 3000.0)));
}

TEST(OrbitRecord, ExactParabolaIsRefused) {
    OrbitRecord o = StateRecord(kMuMars, 43000.0, _V(1, 2, 3), _V(4, 5, 6));
    o.eccentricity = 1.0;
    o.semiMajorAxis = 1e7;
    o.semiMinorAxis = 1e7;
    EXPECT_EQ(ElementsToState(o), -1);
    EXPECT_EQ(o.position.x, 1);
    EXPECT_EQ(o.position.z, 3);
    EXPECT_EQ(o.velocity.y, 5);
}

TEST(OrbitRecord, CircularOrbitPutsThePeriapsisAtTheNode) {
    // mu = 4, radius 4, speed 1: exactly circular, polar orbit, node on x.
    OrbitRecord o = StateRecord(4.0, 100.0, _V(0, 4, 0), _V(-1, 0, 0));
    StateToElements(o);
    ASSERT_EQ(o.eccentricity, 0.0);
    EXPECT_NEAR(o.inclination, PI / 2, 1e-14);
    EXPECT_NEAR(o.ascendingNode, 0.0, 1e-15);
    EXPECT_EQ(o.argPeriapsis, 0.0);
    EXPECT_NEAR(o.trueAnomaly, PI / 2, 1e-14);
    EXPECT_NEAR(o.argLatitude, PI / 2, 1e-14);
    EXPECT_NEAR((100.0 - o.periapsisTime) * 86400.0, 4.0 * PI / 2, 1e-9);
    ExpectRoundTrip(StateRecord(4.0, 100.0, _V(0, 4, 0), _V(-1, 0, 0)));

    // In the reference plane itself.
    OrbitRecord flat = StateRecord(4.0, 100.0, _V(0, 0, 4), _V(-1, 0, 0));
    StateToElements(flat);
    ASSERT_EQ(flat.eccentricity, 0.0);
    EXPECT_FALSE(std::isnan(flat.ascendingNode));
    EXPECT_NEAR(flat.trueAnomaly, PI / 2, 1e-14);
    ExpectRoundTrip(StateRecord(4.0, 100.0, _V(0, 0, 4), _V(-1, 0, 0)));
    ExpectRoundTrip(StateRecord(4.0, 100.0, _V(0, 0, -4), _V(1, 0, 0)));
}

}  // namespace
