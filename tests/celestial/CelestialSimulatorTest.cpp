// Ephemeris answers and planet frames as the simulator gives them.
#include <gtest/gtest.h>

#include <string>

#include "BodyEphemeris.h"
#include "ObjectHandles.h"
#include "PlanetFrames.h"
#include "ProbeSimulation.h"
#include "bodies/PlanetRotation.h"

using testsupport::BodyByName;

namespace {

class CelestialSimulatorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        probes = new testsupport::ProbeSimulation;
        ASSERT_TRUE(
            probes->load("BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 43049.485\nEND_ENVIRONMENT\n"
                         "BEGIN_SHIPS\nPROBE:Probe\n  STATUS Orbiting Mars\n"
                         "  RPOS 4000000 0 0\n  RVEL 0 0 3300\nEND\nEND_SHIPS\n"))
            << probes->error();
    }
    static void TearDownTestSuite() {
        delete probes;
        probes = nullptr;
    }
    static VECTOR3 Relative(const char *body, const char *parent, bool velocity) {
        VECTOR3 a, b;
        (velocity ? oapiGetGlobalVel : oapiGetGlobalPos)(BodyByName(body), &a);
        (velocity ? oapiGetGlobalVel : oapiGetGlobalPos)(BodyByName(parent), &b);
        return a - b;
    }
    static testsupport::ProbeSimulation *probes;
};

testsupport::ProbeSimulation *CelestialSimulatorTest::probes = nullptr;

TEST_F(CelestialSimulatorTest, PolarPlanetStateMatchesTheSimulator) {
    const double mjd = oapiGetSimMJD();
    VECTOR3 pos, vel;
    int flags = 0;
    for (const char *planet : {"Venus", "Earth", "Mercury"}) {
        ASSERT_EQ(GetBodyEphemeris(mjd, planet, pos, vel, flags), kEphemerisDone) << planet;
        EXPECT_EQ(flags, 67);
        const VECTOR3 truePos = Relative(planet, "Sun", false), trueVel = Relative(planet, "Sun", true);
        EXPECT_LT(length(pos - truePos), 1e-9 * length(truePos)) << planet;
        EXPECT_LT(length(vel - trueVel), 1e-9 * length(trueVel)) << planet;
    }
}

TEST_F(CelestialSimulatorTest, OtherAnswerForms) {
    const double mjd = oapiGetSimMJD();
    VECTOR3 pos, vel = _V(7, 7, 7);
    int flags = 0;
    ASSERT_EQ(GetBodyEphemeris(mjd, "Mars", pos, vel, flags), kEphemerisDone);
    EXPECT_EQ(flags, 76);
    EXPECT_LT(length(pos - Relative("Mars", "Sun", false)), 1e-9 * length(pos));
    EXPECT_EQ(vel.x, 7);

    ASSERT_EQ(GetBodyEphemeris(mjd, "Moon", pos, vel, flags), kEphemerisDone);
    EXPECT_EQ(flags, 19);
    EXPECT_LT(length(pos - Relative("Moon", "Earth", false)), 1e-6);
    EXPECT_LT(length(vel - Relative("Moon", "Earth", true)), 1e-9);

    ASSERT_EQ(GetBodyEphemeris(mjd, "Sun", pos, vel, flags), kEphemerisDone);
    EXPECT_EQ(flags, 31);
    VECTOR3 sunPos;
    oapiGetGlobalPos(BodyByName("Sun"), &sunPos);
    EXPECT_LT(length(pos - sunPos), 1e-3);

    EXPECT_EQ(GetBodyEphemeris(mjd, "Nibiru", pos, vel, flags), kEphemerisNoBody);
}

TEST_F(CelestialSimulatorTest, MarsSurfaceFrameAgreesWithTheSimulatorsRotation) {
    OBJHANDLE mars = BodyByName("Mars");
    const double points[][2] = {{-177.84, -10.22}, {0.0, 0.0}, {95.0, 60.0}, {179.5, -89.0}};
    for (double days : {0.0, 0.37, -12.5}) {
        for (const auto &point : points) {
            const double mjd = oapiGetSimMJD() + days;
            const double lon = point[0] * RAD, lat = point[1] * RAD;
            VECTOR3 v = _V(lon, lat, 3359920.0);
            PlanetSurfaceToEcliptic(mjd, mars, v);
            const VECTOR3 local =
                _V(std::cos(lat) * std::cos(lon), std::sin(lat), std::cos(lat) * std::sin(lon));
            const VECTOR3 expected =
                mul(sim::planetRotation(sim::BodyId::Mars).rotationMatrix(mjd), local) * 3359920.0;
            EXPECT_LT(length(v - expected), 1e-3) << days;
            EclipticToPlanetSurface(mjd, mars, v);
            EXPECT_NEAR(v.x, lon, 1e-12);
            EXPECT_NEAR(v.y, lat, 1e-12);
            EXPECT_NEAR(v.z, 3359920.0, 1e-6);
        }
    }
}

}  // namespace
