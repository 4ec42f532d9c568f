// The PIE integrator: forces, end date, impact, the step log and its limits.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <string>

#include "BodyEphemeris.h"
#include "DesignedProbes.h"
#include "FileContents.h"
#include "PieProgram.h"

using testsupport::ReadFile;
using testsupport::SharedEarthReturnProbe;

namespace {

const char kStepLog[] = "Q4K12techout/prg78.out";
const double kOneSecond = 1.0 / 86400.0;

// Heliocentric state of a body from the ephemeris, velocity as the
// one-second difference.
VECTOR3 Heliocentric(double mjd, const char *name) {
    VECTOR3 p = EphemerisPosition(mjd, name);
    if (std::string(name) == "Moon") p += EphemerisPosition(mjd, "Earth");
    return p;
}

class ReturnIntegratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(SharedEarthReturnProbe().vessel(), nullptr) << SharedEarthReturnProbe().error();
        pie.Run("43650;0;0;0;0;0;0;0;0;-1");  // one-day tables from now
        t0 = pie.startMjd;
        earth = Heliocentric(t0, "Earth");
        earthVel = Heliocentric(t0 + kOneSecond, "Earth") - earth;
    }
    // Starts the flight at the table's first date, at an offset from the Earth.
    void StartNearEarth(const VECTOR3 &offset, const VECTOR3 &relativeVelocity) {
        pie.startMjd = t0;
        pie.startPos = earth + offset;
        pie.startVel = earthVel + relativeVelocity;
        pie.ForgetClosestApproach();
    }
    PieProgram pie{SharedEarthReturnProbe().vessel()};
    double t0 = 0.0;
    VECTOR3 earth, earthVel;
};

TEST_F(ReturnIntegratorTest, DerivativesSumTheSevenBodiesWithJupiterAtItsShare) {
    // At a checkpoint date the tables give the ephemeris positions (to some
    // centimetres: the elements' periapsis date is a day number, good to
    // about 1e-6 s).
    const VECTOR3 r = earth + _V(3.0e8, 1.0e7, -2.0e8);
    const VECTOR3 v = _V(1.0, 2.0, 3.0);
    VECTOR3 dr, dv;
    pie.integrator.Derivatives(t0, r, v, dr, dv);
    EXPECT_EQ(dr.x, 1.0);
    EXPECT_EQ(dr.z, 3.0);

    VECTOR3 expected = r * (-1.3271243995508995e20 / std::pow(length(r), 3));
    const char *names[] = {"Earth", "Moon", "Mars", "Jupiter", "Venus", "Saturn"};
    for (const char *name : names) {
        const VECTOR3 d = r - Heliocentric(t0, name);
        const double share = std::string(name) == "Jupiter" ? 0.3265 : 1.0;
        expected += d * (-share * 6.67259e-11 * oapiGetMass(BodyByName(name)) / std::pow(length(d), 3));
    }
    EXPECT_LT(length(dv - expected), 1e-8 * length(expected));
    // The Earth at 360,000 km pulls more than the Sun's 1e-9 share.
    EXPECT_GT(length(dv - r * (-1.3271243995508995e20 / std::pow(length(r), 3))), 1e-6);
}

TEST_F(ReturnIntegratorTest, LastStepLandsExactlyOnTheEndDate) {
    // Moving toward the Earth all the way: the last step is the closest.
    StartNearEarth(_V(6.0e8, 0.0, 0.0), _V(-3000.0, 0.0, 0.0));
    const double end = t0 + 0.73;
    const double steps = pie.integrator.Integrate(end, 1e-7, _V(0.0, 0.0, 0.0));
    EXPECT_GT(steps, 10.0);
    EXPECT_EQ(pie.closestMjd, end);
}

TEST_F(ReturnIntegratorTest, ImpactEndsTheRunWithTheImpactStateUncounted) {
    // 1.5 km above the radius of 6371 km, falling at 5 km/s: the first
    // one-second step ends inside.
    StartNearEarth(_V(0.0, 6372.5e3, 0.0), _V(0.0, -5000.0, 0.0));
    EXPECT_EQ(pie.integrator.Integrate(t0 + 1.0, 1e-7, _V(0.0, 0.0, 0.0)), 0.0);
    EXPECT_LT(length(pie.closestPos), 6371000.0);
    EXPECT_NEAR(length(pie.closestPos), 6367.5e3, 100.0);
    EXPECT_EQ(pie.closestMjd, t0 + 1.0 / 86400.0);
    EXPECT_NEAR(pie.closestVel.y - earthVel.y, -5000.0, 20.0);
}

TEST_F(ReturnIntegratorTest, StepLogLinesAndTheirFormat) {
    StartNearEarth(_V(6.0e8, 0.0, 0.0), _V(-3000.0, 0.0, 0.0));
    pie.integrator.Integrate(t0 + 0.2, 1e-7, _V(0.0, 0.0, 0.0));
    const std::string log = ReadFile(kStepLog);
    // Far from everything the step doubles at once, from 1 s.
    const std::regex firstLines(
        "\n st,      1; mjd, [0-9]+\\.[0-9]{3}; dT,      2\\.0; kEv, 0\\.00; Evs, [-+.e0-9]+; Exs, "
        "[-+.e0-9]+; "
        "R, [-+.e0-9]+ Rs, [0-9]+\\.[0-9]\n st,      2; mjd, [0-9.]+; dT,      4\\.0; ");
    EXPECT_TRUE(std::regex_search(log, firstLines, std::regex_constants::match_continuous))
        << log.substr(0, 300);
}

TEST_F(ReturnIntegratorTest, StepThatNeverChangesLeavesAnEmptyLog) {
    std::ofstream(kStepLog) << "old";
    StartNearEarth(_V(6.0e8, 0.0, 0.0), _V(-3000.0, 0.0, 0.0));
    // The relative velocity error of one 1 s step, as the integrator judges it.
    VECTOR3 r = pie.startPos, v = pie.startVel, k1r, k1v, k2r, k2v, k3r, k3v, k4r, k4v;
    const double mid = t0 + 0.5 / 86400.0, end = t0 + 1.0 / 86400.0;
    pie.integrator.Derivatives(t0, r, v, k1r, k1v);
    pie.integrator.Derivatives(mid, r + k1r * 0.5, v + k1v * 0.5, k2r, k2v);
    pie.integrator.Derivatives(mid, r + k2r * 0.5, v + k2v * 0.5, k3r, k3v);
    pie.integrator.Derivatives(end, r + k3r, v + k3v, k4r, k4v);
    const double error =
        length((k3v - k2v * 2.0 + k4v) / 6.0) / length(v + (k1v + k2v * 2 + k3v * 2 + k4v) / 6.0);
    ASSERT_GT(error, 0.0);

    // With a tolerance three times that error no step halves or doubles.
    EXPECT_EQ(pie.integrator.Integrate(t0 + 5.0 / 86400.0, 3.0 * error, _V(0.0, 0.0, 0.0)), 5.0);
    EXPECT_EQ(ReadFile(kStepLog), "");

    // No step at all: the end is not after the start.
    std::ofstream(kStepLog) << "old";
    pie.closestMjd = 42.0;
    EXPECT_EQ(pie.integrator.Integrate(t0, 1e-7, _V(0.0, 0.0, 0.0)), 0.0);
    EXPECT_EQ(ReadFile(kStepLog), "");
    EXPECT_EQ(pie.closestMjd, 42.0);
}

TEST_F(ReturnIntegratorTest, ToleranceLimitsEndTheRun) {
    StartNearEarth(_V(6.0e8, 0.0, 0.0), _V(-3000.0, 0.0, 0.0));
    // Tolerance 0: the step shrinks until the error vanishes, one step is
    // taken and the minimum step ends the run.
    EXPECT_EQ(pie.integrator.Integrate(t0 + 1.0, 0.0, _V(0.0, 0.0, 0.0)), 1.0);
    EXPECT_LT(pie.closestMjd - t0, 1e-9);

    // A negative tolerance fails every attempt; the run ends once the step
    // has halved to nothing instead of looping for ever.
    pie.ForgetClosestApproach();
    EXPECT_EQ(pie.integrator.Integrate(t0 + 1.0, -1.0, _V(0.0, 0.0, 0.0)), 0.0);
    EXPECT_EQ(pie.closestMjd, 0.0);

    // A tolerance that never judges (not a number) keeps the 1 s step until
    // the step limit: more than 100,000 steps end the run.
    pie.ForgetClosestApproach();
    EXPECT_EQ(pie.integrator.Integrate(t0 + 10.0, std::nan(""), _V(0.0, 0.0, 0.0)), 100001.0);
}

TEST_F(ReturnIntegratorTest, IncrementIsAddedToTheStartVelocity) {
    StartNearEarth(_V(6.0e8, 0.0, 0.0), _V(-3000.0, 0.0, 0.0));
    pie.integrator.Integrate(t0 + 1.0 / 86400.0, 1e-7, _V(0.0, 0.0, 0.0));
    const VECTOR3 plain = pie.closestVel;
    pie.ForgetClosestApproach();
    pie.integrator.Integrate(t0 + 1.0 / 86400.0, 1e-7, _V(10.0, -20.0, 5.0));
    EXPECT_NEAR(pie.closestVel.x - plain.x, 10.0, 1e-6);
    EXPECT_NEAR(pie.closestVel.y - plain.y, -20.0, 1e-6);
}

}  // namespace
