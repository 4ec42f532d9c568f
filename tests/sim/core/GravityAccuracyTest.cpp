// How well the frame integrator carries free vessels: a long frame against
// a run with ten times shorter sub-steps, and a propagation forward and back.
#include <gtest/gtest.h>

#include <cstdio>

#include "TestInstallation.h"
#include "bodies/SolarSystemEphemeris.h"
#include "core/GravityModel.h"

namespace {

class GravityAccuracyTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(ephemeris.load(testsupport::BuildEphemerisFile(), error)) << error;
    }
    sim::SolarSystemEphemeris ephemeris;
};

// A state relative to a body, made global.
void globalState(const sim::SolarSystemEphemeris &eph, sim::BodyId body, double mjd, VECTOR3 rpos,
                 VECTOR3 rvel, VECTOR3 &pos, VECTOR3 &vel) {
    VECTOR3 bp, bv;
    eph.state(body, mjd, bp, bv);
    pos = bp + rpos;
    vel = bv + rvel;
}

TEST_F(GravityAccuracyTest, HourFramesAgreeWithAFinerRun) {
    struct Case {
        const char *name;
        sim::BodyId body;
        VECTOR3 rpos, rvel;
        double hours;
        double tolerance;  // metres
    } cases[] = {
        {"low Earth orbit", sim::BodyId::Earth, _V(6771000, 0, 0), _V(0, 0, 7672.6), 24, 1.0},
        // A hyperbolic pass 3400 km from the centre of Mars.
        {"Mars flyby", sim::BodyId::Mars, _V(-3.0e7, 0, 3400000), _V(5000, 0, 0), 12, 0.5},
        {"cruise", sim::BodyId::Sun, _V(1.8e11, 0, 0), _V(0, 0, 27000), 24 * 20, 1.0},
    };
    for (const Case &c : cases) {
        sim::GravityModel coarse(ephemeris), fine(ephemeris);
        fine.setStepFactor(coarse.stepFactor() / 10);
        const double mjd = 43100.0;
        VECTOR3 p1, v1, p2, v2;
        globalState(ephemeris, c.body, mjd, c.rpos, c.rvel, p1, v1);
        p2 = p1;
        v2 = v1;
        for (int h = 0; h < c.hours; ++h) {
            coarse.propagate(mjd + h / 24.0, 3600.0, p1, v1);
            fine.propagate(mjd + h / 24.0, 3600.0, p2, v2);
        }
        double error = length(p1 - p2);
        std::printf("[ figures  ] %s: %.0f h in 1 h frames, position difference to a 10x finer run %.3g m\n",
                    c.name, c.hours, error);
        EXPECT_LT(error, c.tolerance) << c.name;
    }
}

TEST_F(GravityAccuracyTest, ForwardAndBackReturnsToTheStart) {
    sim::GravityModel model(ephemeris);
    VECTOR3 p0, v0;
    globalState(ephemeris, sim::BodyId::Earth, 43100.0, _V(7000000, 100000, 0), _V(0, 1000, 7500), p0, v0);
    VECTOR3 p = p0, v = v0;
    model.propagate(43100.0, 86400.0, p, v);
    model.propagate(43101.0, -86400.0, p, v);
    EXPECT_LT(length(p - p0), 2.0);  // 32 orbits, about 3e-7 of the radius
    EXPECT_LT(length(v - v0), 2e-3);
}

}  // namespace
