// The three-body propagation of PLE: its forces, steps, burn and stops, and
// its periapsis against an independent reference integration.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "OrbitRecord.h"
#include "PeriapsisReference.h"
#include "ThreeBodyPropagator.h"

namespace {

// The Earth on a circular orbit at 1 AU, the Moon 384,400 km sunward of it,
// the vessel at the given Earth-relative state.
ThreeBodyState EarthMoonVessel(const VECTOR3 &relativePos, const VECTOR3 &relativeVel) {
    ThreeBodyState s;
    s.earthPos = _V(1.496e11, 0.0, 0.0);
    s.earthVel = _V(0.0, 0.0, std::sqrt(kThreeBodyGmSun / 1.496e11));
    s.moonPos = s.earthPos - _V(3.844e8, 0.0, 0.0);
    s.moonVel = s.earthVel - _V(0.0, 0.0, 1022.0);
    s.vesselPos = s.earthPos + relativePos;
    s.vesselVel = s.earthVel + relativeVel;
    return s;
}

ThreeBodyState RungeKuttaStep(const ThreeBodyState &y, double h) {
    auto shifted = [&](const ThreeBodyState &k, double f) {
        return ThreeBodyState{y.earthPos + k.earthPos * f,   y.earthVel + k.earthVel * f,
                              y.vesselPos + k.vesselPos * f, y.vesselVel + k.vesselVel * f,
                              y.moonPos + k.moonPos * f,     y.moonVel + k.moonVel * f};
    };
    const ThreeBodyState k1 = ThreeBodyDerivatives(y);
    const ThreeBodyState k2 = ThreeBodyDerivatives(shifted(k1, h / 2));
    const ThreeBodyState k3 = ThreeBodyDerivatives(shifted(k2, h / 2));
    const ThreeBodyState k4 = ThreeBodyDerivatives(shifted(k3, h));
    ThreeBodyState sum;
    VECTOR3 ThreeBodyState::*fields[] = {&ThreeBodyState::earthPos,  &ThreeBodyState::earthVel,
                                         &ThreeBodyState::vesselPos, &ThreeBodyState::vesselVel,
                                         &ThreeBodyState::moonPos,   &ThreeBodyState::moonVel};
    for (auto field : fields)
        sum.*field = y.*field + (k1.*field + k2.*field * 2 + k3.*field * 2 + k4.*field) * (h / 6);
    return sum;
}

OrbitRecord Untouched() {
    OrbitRecord record = {};
    record.mu = -1.0;
    record.epoch = -2.0;
    return record;
}

TEST(ThreeBodyPropagator, ForcesActBetweenEarthAndMoonOnly) {
    const ThreeBodyState s = EarthMoonVessel(_V(4e7, 1e6, -3e7), _V(-3000, 0, 1000));
    const ThreeBodyState d = ThreeBodyDerivatives(s);
    EXPECT_EQ(d.vesselPos.x, s.vesselVel.x);
    EXPECT_EQ(d.moonPos.z, s.moonVel.z);
    // Without the Sun's pull the Earth's and the Moon's accelerations are an
    // action-reaction pair: GM_E a_E = -GM_M a_M.
    auto sunPull = [](const VECTOR3 &r) { return r * (-kThreeBodyGmSun / std::pow(length(r), 3)); };
    const VECTOR3 earthByMoon = d.earthVel - sunPull(s.earthPos);
    const VECTOR3 moonByEarth = d.moonVel - sunPull(s.moonPos);
    EXPECT_LT(length(earthByMoon * kThreeBodyGmEarth + moonByEarth * kThreeBodyGmMoon),
              1e-9 * length(earthByMoon * kThreeBodyGmEarth));
    // The vessel pulls nothing.
    ThreeBodyState moved = s;
    moved.vesselPos = s.earthPos + _V(1e4, 0, 0);
    const ThreeBodyState e = ThreeBodyDerivatives(moved);
    EXPECT_EQ(e.earthVel.x, d.earthVel.x);
    EXPECT_EQ(e.moonVel.y, d.moonVel.y);
}

TEST(ThreeBodyPropagator, StepBeforeTheBurnIsShortenedAndTheIncrementLandsAtItsEnd) {
    // Far from the Earth: 360 s (the next step would be 720), shortened to
    // 240 s to end at the burn; the duration runs out there, without output.
    const ThreeBodyState start = EarthMoonVessel(_V(4e9, 1e8, -3e9), _V(-2400, 0, 1800));
    const VECTOR3 deltaV = _V(0.4, -0.3, 0.2);
    ThreeBodyState plain = start, burnt = start;
    ThreeBodyParameters p = {360.0, 600.0, 0.001};
    OrbitRecord record = Untouched();
    long evaluations = 0;
    EXPECT_FALSE(Propagate(plain, p, record, _V(0, 0, 0), 600.0, &evaluations));
    EXPECT_EQ(evaluations, 8);
    EXPECT_EQ(p.step, 360.0);
    EXPECT_EQ(p.duration, 600.0);
    EXPECT_EQ(p.tolerance, 0.001);
    EXPECT_EQ(record.mu, -1.0);

    const ThreeBodyState expected = RungeKuttaStep(RungeKuttaStep(start, 360.0), 240.0);
    EXPECT_LT(length(plain.vesselPos - expected.vesselPos), 1e-6);
    EXPECT_LT(length(plain.moonVel - expected.moonVel), 1e-9);

    Propagate(burnt, p, record, deltaV, 600.0);
    EXPECT_LT(length(burnt.vesselVel - plain.vesselVel - deltaV), 1e-9);
    EXPECT_EQ(burnt.vesselPos.x, plain.vesselPos.x);

    // The next step is one second long.
    ThreeBodyState longer = start;
    ThreeBodyParameters q = {360.0, 601.0, 0.001};
    Propagate(longer, q, record, deltaV, 600.0);
    EXPECT_LT(length(longer.vesselPos - RungeKuttaStep(burnt, 1.0).vesselPos), 1e-6);
}

TEST(ThreeBodyPropagator, BurnTimeAlreadyPassedAppliesTheIncrementAtOnce) {
    // The first step ends at 360 s, past a burn at 100 s: the increment is
    // added at its end and the next step is 1 s.
    const ThreeBodyState start = EarthMoonVessel(_V(4e9, 1e8, -3e9), _V(-2400, 0, 1800));
    ThreeBodyState plain = start, burnt = start;
    ThreeBodyParameters p = {360.0, 361.0, 0.001};
    OrbitRecord record = Untouched();
    Propagate(plain, p, record, _V(0, 0, 0), 100.0);
    p = {360.0, 361.0, 0.001};
    Propagate(burnt, p, record, _V(1, 0, 0), 100.0);
    const ThreeBodyState at360 = RungeKuttaStep(start, 360.0);
    EXPECT_NEAR(burnt.vesselPos.x - plain.vesselPos.x, 1.0, 1e-6);
    EXPECT_LT(length(plain.vesselPos - RungeKuttaStep(at360, 1.0).vesselPos), 1e-6);
}

TEST(ThreeBodyPropagator, RecedingStartEndsAfterTheSecondStep) {
    // 500,000 km out and leaving: the first step only records its distance.
    const ThreeBodyState start = EarthMoonVessel(_V(3e8, 2e8, 3e8), _V(1500, 1000, 1500));
    ThreeBodyState s = start;
    ThreeBodyParameters p = {360.0, 3000000.0, 0.001};
    OrbitRecord record = Untouched();
    const VECTOR3 deltaV = _V(0.5, 0.0, -0.5);
    ASSERT_TRUE(Propagate(s, p, record, deltaV, 600.0));
    EXPECT_EQ(p.duration, 600.0);  // 360 + 240, the increment at its end
    EXPECT_EQ(p.step, 1.0);
    EXPECT_EQ(p.tolerance, 1.0);
    EXPECT_EQ(record.mu, kThreeBodyGmEarth);
    EXPECT_DOUBLE_EQ(record.epoch, 600.0 / 86400.0);  // no simulation: its date reads 0
    EXPECT_EQ(record.position.x, s.vesselPos.x - s.earthPos.x);
    EXPECT_EQ(record.velocity.z, s.vesselVel.z - s.earthVel.z);

    // Without a burn in reach the steps are 360 and 720, and the step in
    // force has doubled again.
    s = start;
    p = {360.0, 3000000.0, 0.001};
    ASSERT_TRUE(Propagate(s, p, record, deltaV, 1e9));
    EXPECT_EQ(p.duration, 1080.0);
    EXPECT_EQ(p.step, 1440.0);
}

TEST(ThreeBodyPropagator, InsideThousandKilometresStopsAtOnce) {
    // Falling straight at the centre: the propagation stops on the first
    // step inside 1,000 km, still approaching.
    ThreeBodyState s = EarthMoonVessel(_V(0, 0, 1.2e6), _V(0, 0, -10000));
    ThreeBodyParameters p = {360.0, 3000000.0, 0.001};
    OrbitRecord record = Untouched();
    ASSERT_TRUE(Propagate(s, p, record, _V(0, 0, 0), 600.0));
    EXPECT_LT(length(record.position), 1000000.0);
    EXPECT_GT(length(record.position), 1000000.0 - 1.0 * 12000.0);  // within a step of a second
    EXPECT_LT(dotp(record.position, record.velocity), 0.0);
    EXPECT_LT(p.duration, 25.0);
}

TEST(ThreeBodyPropagator, NothingHappensWithoutDurationOrFiniteState) {
    const ThreeBodyState start = EarthMoonVessel(_V(4e9, 1e8, -3e9), _V(-2400, 0, 1800));
    ThreeBodyState s = start;
    ThreeBodyParameters p = {360.0, 0.0, 0.001};
    OrbitRecord record = Untouched();
    long evaluations = 0;
    EXPECT_FALSE(Propagate(s, p, record, _V(1, 1, 1), 600.0, &evaluations));
    EXPECT_EQ(evaluations, 0);
    EXPECT_EQ(s.vesselVel.x, start.vesselVel.x);
    EXPECT_EQ(p.duration, 0.0);

    // A state that is no number ends at once instead of being stepped
    // through the whole duration.
    s.vesselPos.x = NAN;
    p = {360.0, 3000000.0, 0.001};
    EXPECT_FALSE(Propagate(s, p, record, _V(0, 0, 0), 600.0, &evaluations));
    EXPECT_EQ(evaluations, 4);
    EXPECT_EQ(p.duration, 3000000.0);
    EXPECT_EQ(record.mu, -1.0);
}

// Completed on the osculating orbit the way PLE completes it, against a
// DOP853 (rtol 1e-13) integration of the same forces to the true closest
// approach (tests/programs/reference/three_body_reference.py).
TEST(ThreeBodyPropagator, AgreesWithTheReferenceIntegration) {
    const auto cases =
        ReadPeriapsisReference<ThreeBodyState>("three_body_reference.txt", [](ThreeBodyState &s) {
            return std::vector<VECTOR3 *>{&s.earthPos,  &s.earthVel, &s.vesselPos,
                                          &s.vesselVel, &s.moonPos,  &s.moonVel};
        });
    ASSERT_EQ(cases.size(), 2u);
    for (const auto &c : cases) {
        ThreeBodyState s = c.start;
        ThreeBodyParameters p = {360.0, 3000000.0, 0.001};
        OrbitRecord orbit = {};
        long evaluations = 0;
        ASSERT_TRUE(Propagate(s, p, orbit, c.deltaV, 600.0, &evaluations)) << c.name;
        // Without a simulation the record's date counts from MJD 0.
        StateToElements(orbit);
        orbit.epoch = orbit.periapsisTime;
        ElementsToState(orbit);
        const double timeError = orbit.periapsisTime * 86400.0 - c.time;
        const double positionError = length(orbit.position - c.position);
        const double velocityError = length(orbit.velocity - c.velocity);
        std::printf(
            "%s: periapsis time error %.4f s, position error %.3f m, velocity error %.2e m/s (%ld force "
            "evaluations)\n",
            c.name.c_str(), timeError, positionError, velocityError, evaluations);
        EXPECT_LT(std::fabs(timeError), 0.05);
        EXPECT_LT(positionError, 20.0);
    }
}

}  // namespace
