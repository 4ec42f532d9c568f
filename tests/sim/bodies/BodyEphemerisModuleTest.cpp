#include <gtest/gtest.h>

#include <OrbiterAPI.h>
#include <CelBodyAPI.h>

#include <cmath>

#include "EphemerisFixture.h"
#include "bodies/BodyEphemerisModule.h"

using sim::BodyId;

namespace {

const double kUnwritten = -12345.0;
const double kMjd = 44239.0;

struct Answer {
    int flags;
    double ret[12];
};

Answer ask(BodyId body, double mjd = kMjd) {
    sim::BodyEphemerisModulePtr module = sim::makeBodyEphemerisModule(body, installedEphemeris());
    EXPECT_TRUE(module->bEphemeris());
    Answer answer;
    for (double &value : answer.ret) value = kUnwritten;
    answer.flags = module->clbkEphemeris(mjd, EPHEM_TRUEPOS | EPHEM_TRUEVEL, answer.ret);
    return answer;
}

void stateRelativeTo(BodyId body, BodyId origin, VECTOR3 &pos, VECTOR3 &vel) {
    VECTOR3 originPos, originVel;
    installedEphemeris().state(body, kMjd, pos, vel);
    installedEphemeris().state(origin, kMjd, originPos, originVel);
    pos -= originPos;
    vel -= originVel;
}

// The exact polar-to-rectangular conversion in the simulator's axes.
void fromPolar(const double *polar, VECTOR3 &pos, VECTOR3 &vel) {
    const double lon = polar[0], lat = polar[1], r = polar[2] * AU;
    const double dlon = polar[3], dlat = polar[4], dr = polar[5] * AU;
    const VECTOR3 radial = _V(std::cos(lat) * std::cos(lon), std::sin(lat), std::cos(lat) * std::sin(lon));
    const VECTOR3 north = _V(-std::sin(lat) * std::cos(lon), std::cos(lat), -std::sin(lat) * std::sin(lon));
    const VECTOR3 east = _V(-std::sin(lon), 0.0, std::cos(lon));
    pos = radial * r;
    vel = radial * dr + north * (r * dlat) + east * (r * std::cos(lat) * dlon);
}

void expectNear(const VECTOR3 &actual, const VECTOR3 &expected, double tolerance, const char *what) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual.data[i], expected.data[i], tolerance) << what << " [" << i << "]";
}

}  // namespace

TEST(BodyEphemerisModule, InnerPlanetsAnswerHeliocentricPolarTrueState) {
    for (BodyId body : {BodyId::Mercury, BodyId::Venus, BodyId::Earth}) {
        const char *name = sim::bodyConstants(body).name;
        const Answer answer = ask(body);
        EXPECT_EQ(answer.flags, 67) << name;
        EXPECT_EQ(answer.flags, EPHEM_TRUEPOS | EPHEM_TRUEVEL | EPHEM_POLAR);
        EXPECT_GE(answer.ret[0], 0.0);
        EXPECT_LT(answer.ret[0], 2.0 * PI);
        for (int i = 6; i < 12; ++i) EXPECT_EQ(answer.ret[i], kUnwritten) << name;

        VECTOR3 pos, vel, expectedPos, expectedVel;
        fromPolar(answer.ret, pos, vel);
        stateRelativeTo(body, BodyId::Sun, expectedPos, expectedVel);
        expectNear(pos, expectedPos, 1e-4 * 1e3, name);  // 0.1 m
        expectNear(vel, expectedVel, 1e-7, name);
    }
}

TEST(BodyEphemerisModule, OuterPlanetsAnswerOnlyTheSystemBarycentre) {
    for (BodyId body : {BodyId::Mars, BodyId::Jupiter, BodyId::Saturn}) {
        const char *name = sim::bodyConstants(body).name;
        const Answer answer = ask(body);
        EXPECT_EQ(answer.flags, 76) << name;
        for (int i = 0; i < 6; ++i) EXPECT_EQ(answer.ret[i], kUnwritten) << name;

        VECTOR3 pos, vel, expectedPos, expectedVel;
        fromPolar(answer.ret + 6, pos, vel);
        stateRelativeTo(body, BodyId::Sun, expectedPos, expectedVel);
        expectNear(pos, expectedPos, 1.0, name);
        expectNear(vel, expectedVel, 1e-7, name);
    }
}

TEST(BodyEphemerisModule, MoonAnswersGeocentricRectangularAndSunBarycentric) {
    const Answer moon = ask(BodyId::Moon);
    EXPECT_EQ(moon.flags, EPHEM_TRUEPOS | EPHEM_TRUEVEL | EPHEM_BARYISTRUE);
    VECTOR3 pos, vel;
    stateRelativeTo(BodyId::Moon, BodyId::Earth, pos, vel);
    const double geocentric[6] = {pos.x, pos.y, pos.z, vel.x, vel.y, vel.z};
    for (int i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(moon.ret[i], geocentric[i]);
        EXPECT_EQ(moon.ret[6 + i], moon.ret[i]);
    }
    EXPECT_GT(length(pos), 3.5e8);
    EXPECT_LT(length(pos), 4.1e8);

    const Answer sun = ask(BodyId::Sun);
    EXPECT_EQ(sun.flags, 31);
    installedEphemeris().state(BodyId::Sun, kMjd, pos, vel);
    EXPECT_EQ(sun.ret[0], pos.x);
    EXPECT_EQ(sun.ret[4], vel.y);
    EXPECT_EQ(sun.ret[8], pos.z);
    EXPECT_LT(length(pos), 2.0 * sim::bodyConstants(BodyId::Sun).meanRadius + 1e8);
}

TEST(BodyEphemerisModule, DatesOutsideTheEphemerisAreNotAnswered) {
    const Answer answer = ask(BodyId::Earth, 51544.5);
    EXPECT_EQ(answer.flags, 0);
    for (double value : answer.ret) EXPECT_EQ(value, kUnwritten);

    CELBODY plain;
    double ret[12] = {0};
    EXPECT_FALSE(plain.bEphemeris());
    EXPECT_EQ(plain.clbkEphemeris(kMjd, EPHEM_TRUEPOS, ret), 0);
}
