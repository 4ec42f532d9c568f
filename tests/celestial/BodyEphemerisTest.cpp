#include <gtest/gtest.h>

#include <cmath>

#include "BodyEphemeris.h"
#include "FakeSimulator.h"
#include "OrbitRecord.h"
#include "PlanetFrames.h"
#include "VectorMath.h"

namespace {

class BodyEphemerisTest : public ::testing::Test {
protected:
    void SetUp() override {
        body.name = "Venus";
        fake::AddBody(&body);
    }
    void TearDown() override { fake::Clear(); }
    FakeBody body;
    VECTOR3 position = _V(-1, -1, -1), velocity = _V(-2, -2, -2);
    int flags = -99;
};

TEST_F(BodyEphemerisTest, MissingBodyOrEphemeris) {
    EXPECT_EQ(GetBodyEphemeris(43000.0, "Vulcan", position, velocity, flags), kEphemerisNoBody);
    body.hasEphemeris = false;
    EXPECT_EQ(GetBodyEphemeris(43000.0, "Venus", position, velocity, flags), kEphemerisNone);
    FakeBody bare;
    bare.name = "Bare";
    fake::AddBody(&bare, false);
    EXPECT_EQ(GetBodyEphemeris(43000.0, "Bare", position, velocity, flags), kEphemerisNone);
    EXPECT_EQ(position.x, -1);
}

TEST_F(BodyEphemerisTest, RectangularAnswerIsCopied) {
    for (int f : {3, 19, 31}) {
        body.answerFlags = f;
        for (int i = 0; i < 6; ++i) body.answer[i] = i + 1;
        ASSERT_EQ(GetBodyEphemeris(43000.0, "Venus", position, velocity, flags), kEphemerisDone);
        EXPECT_EQ(flags, f);
        EXPECT_EQ(position.y, 2);
        EXPECT_EQ(velocity.z, 6);
    }
}

TEST_F(BodyEphemerisTest, BarycentricPolarAnswerGivesPositionOnly) {
    body.answerFlags = 76;
    body.answer[6] = 0.5;
    body.answer[7] = 0.02;
    body.answer[8] = 1.5;
    body.answer[9] = 1e-7;
    ASSERT_EQ(GetBodyEphemeris(43000.0, "Venus", position, velocity, flags), kEphemerisDone);
    EXPECT_EQ(flags, 76);
    EXPECT_NEAR(position.x, AU * 1.5 * std::cos(0.02) * std::cos(0.5), 1e-3);
    EXPECT_NEAR(position.y, AU * 1.5 * std::sin(0.02), 1e-3);
    EXPECT_NEAR(position.z, AU * 1.5 * std::cos(0.02) * std::sin(0.5), 1e-3);
    EXPECT_EQ(velocity.x, -2);
    EXPECT_EQ(velocity.z, -2);
}

TEST_F(BodyEphemerisTest, UnknownFlagWordIsNotConverted) {
    body.answerFlags = 0x41;
    EXPECT_EQ(GetBodyEphemeris(43000.0, "Venus", position, velocity, flags), kEphemerisUnhandled);
    EXPECT_EQ(flags, 0x41);
    EXPECT_EQ(position.x, -1);
    EXPECT_EQ(velocity.x, -2);
}

// A body on an inclined Kepler orbit answering in polar form must give the
// same velocity as the rectangular state of that orbit.
TEST_F(BodyEphemerisTest, PolarVelocityMatchesTheRectangularState) {
    OrbitRecord orbit = {};
    orbit.mu = 1.3271243995508995e20;
    orbit.epoch = 43000.0;
    orbit.periapsisTime = 42950.0;
    orbit.semiMajorAxis = 1.082e11;
    orbit.eccentricity = 0.2;  // exaggerated so the radial rate matters
    orbit.semiMinorAxis = orbit.semiMajorAxis * std::sqrt(1 - 0.04);
    orbit.inclination = 3.39 * RAD;
    orbit.ascendingNode = 76.7 * RAD;
    orbit.argPeriapsis = 54.9 * RAD;
    for (double day = 0; day < 225; day += 17) {
        orbit.epoch = 43000.0 + day;
        ASSERT_GE(ElementsToState(orbit), 0);
        const VECTOR3 p = orbit.position, v = orbit.velocity;
        const double r = length(p), horizontal = std::sqrt(p.x * p.x + p.z * p.z);
        const double dr = dotp(p, v) / r;
        body.answerFlags = 67;
        body.answer[0] = std::atan2(p.z, p.x);
        body.answer[1] = std::asin(p.y / r);
        body.answer[2] = r / AU;
        body.answer[3] = (p.x * v.z - p.z * v.x) / (horizontal * horizontal);
        body.answer[4] = (v.y * r - p.y * dr) / (r * horizontal);
        body.answer[5] = dr / AU;
        ASSERT_EQ(GetBodyEphemeris(orbit.epoch, "Venus", position, velocity, flags), kEphemerisDone);
        EXPECT_LT(length(position - p), 1e-4 * 1e-6 * r);
        EXPECT_LT(length(velocity - v), 1e-9 * length(v)) << "day " << day;
    }
}

TEST(PolarVelocity, IsTheDerivativeOfThePolarPosition) {
    const double lon = 2.1, lat = -0.06, r = 1.52, dLon = 1.1e-7, dLat = -4e-9, dR = 3e-10;
    const double step = 100.0;
    const VECTOR3 ahead = PolarToPosition(lon + dLon * step, lat + dLat * step, r + dR * step);
    const VECTOR3 behind = PolarToPosition(lon - dLon * step, lat - dLat * step, r - dR * step);
    const VECTOR3 difference = (ahead - behind) / (2 * step);
    const VECTOR3 velocity = PolarToVelocity(lon, lat, r, dLon, dLat, dR);
    EXPECT_LT(length(velocity - difference), 1e-7 * length(velocity));
}

class PlanetFramesTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Mars-like orientation.
        mars.name = "Mars";
        mars.obliquity = 26.717005 * RAD;
        mars.theta = 262.952469 * RAD;
        mars.rotation = 177.605320 * RAD;
        mars.period = 88642.6638;
        fake::AddBody(&mars);
        fake::simMjd = 43000.0;
    }
    void TearDown() override { fake::Clear(); }
    FakeBody mars;
};

TEST_F(PlanetFramesTest, SurfaceRoundTrip) {
    const double mjd = 43049.485;
    for (double lon : {-177.84, -90.0, 0.0, 45.0, 179.5}) {
        for (double lat : {-10.22, 0.0, 60.0, -89.0}) {
            VECTOR3 v = _V(lon * RAD, lat * RAD, 3359920.0);
            PlanetSurfaceToEcliptic(mjd, &mars, v);
            EXPECT_NEAR(length(v), 3359920.0, 1e-6);
            EclipticToPlanetSurface(mjd, &mars, v);
            EXPECT_NEAR(v.x, lon * RAD, 1e-12);
            EXPECT_NEAR(v.y, lat * RAD, 1e-12);
            EXPECT_NEAR(v.z, 3359920.0, 1e-6);
        }
    }
}

TEST_F(PlanetFramesTest, PoleAndObliquity) {
    VECTOR3 pole = _V(0, 1, 0);
    PlanetEquatorialToEcliptic(&mars, pole);
    EXPECT_NEAR(std::acos(pole.y), mars.obliquity, 1e-12);
    EclipticToPlanetEquatorial(&mars, pole);
    EXPECT_NEAR(pole.y, 1.0, 1e-15);
    // The north pole stays put whatever the date.
    VECTOR3 north = _V(0.3, PI / 2, 1000.0);
    PlanetSurfaceToEcliptic(43100.0, &mars, north);
    EXPECT_NEAR(north.y / 1000.0, std::cos(mars.obliquity), 1e-12);
}

TEST_F(PlanetFramesTest, RotationAdvancesEastwardWithTheDate) {
    // A fixed ecliptic direction slips westward over the surface: a quarter
    // of a sidereal day later its longitude is 90 degrees smaller.
    VECTOR3 early = _V(1e6, 2e5, -3e6), late = early;
    EclipticToPlanetSurface(43010.0, &mars, early);
    EclipticToPlanetSurface(43010.0 + mars.period / 4 / 86400.0, &mars, late);
    double shift = early.x - late.x;
    if (shift < 0) shift += 2 * PI;
    EXPECT_NEAR(shift, PI / 2, 1e-9);
    EXPECT_NEAR(early.y, late.y, 1e-12);
}

}  // namespace
