#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "ApproachPropagator.h"
#include "OrbitRecord.h"
#include "PeriapsisReference.h"

namespace {

const double kGmSun = 1.3271243995508995e20;
const double kGmMars = 4.282829916378e13;

// Heliocentric Mars (MJD 43644), simulator axes.
ApproachState MarsWithShip(const VECTOR3 &relativePos, const VECTOR3 &relativeVel) {
    ApproachState s;
    s.marsPos = _V(-245796735.0e3, 6763205.0e3, 33956883.0e3);
    s.marsVel = _V(-2404.471, -400.127, -21934.149);
    s.shipPos = s.marsPos + relativePos;
    s.shipVel = s.marsVel + relativeVel;
    return s;
}

bool Finite(const VECTOR3 &v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Mars after t seconds on its Kepler orbit about the fixed Sun.
VECTOR3 KeplerMars(const ApproachState &start, double t) {
    OrbitRecord orbit = {};
    orbit.mu = kGmSun;
    orbit.epoch = 0.0;
    orbit.position = start.marsPos;
    orbit.velocity = start.marsVel;
    StateToElements(orbit);
    orbit.epoch = t / 86400.0;
    ElementsToState(orbit);
    return orbit.position;
}

TEST(ApproachPropagator, NonPositiveHorizonChangesNothing) {
    ApproachState s = MarsWithShip(_V(1e9, 0, 0), _V(-1000, 0, 0));
    const ApproachState before = s;
    PropagationParameters p = {360.0, 0.0, 0.001};
    PropagateToPeriapsis(s, p, _V(1, 1, 1), 5300.0);
    EXPECT_EQ(p.horizon, 0.0);
    EXPECT_EQ(s.shipPos.x, before.shipPos.x);
    EXPECT_EQ(s.marsVel.z, before.marsVel.z);
}

TEST(ApproachPropagator, StepIsCutAtTheBurnEvenWithoutCorrection) {
    // Far from Mars the step doubles 360, 720, 1440, 2880; the burn cuts it to
    // end at 5300 s, and the next step is 360 s again: t = 5660 at the end.
    const ApproachState start = MarsWithShip(_V(3e10, 1e9, -2e10), _V(-1000, 0, 700));
    ApproachState plain = start, corrected = start;
    PropagationParameters p = {360.0, 5660.0, 0.001};
    PropagateToPeriapsis(plain, p, _V(0, 0, 0), 5300.0);
    EXPECT_EQ(p.horizon, 5660.0);  // no periapsis
    EXPECT_LT(length(plain.marsPos - KeplerMars(start, 5660.0)), 1.0);

    PropagationParameters q = {360.0, 5660.0, 0.001};
    const VECTOR3 deltaV = _V(2.0, -1.0, 0.5);
    PropagateToPeriapsis(corrected, q, deltaV, 5300.0);
    EXPECT_LT(length(corrected.shipVel - plain.shipVel - deltaV), 1e-6);
    EXPECT_LT(length(corrected.shipPos - plain.shipPos - deltaV * 360.0), 1e-3);

    // Ending right at the burn: the correction is in the final state.
    ApproachState atBurn = start;
    PropagationParameters r = {360.0, 5300.0, 0.001};
    PropagateToPeriapsis(atBurn, r, deltaV, 5300.0);
    EXPECT_LT(length(atBurn.marsPos - KeplerMars(start, 5300.0)), 1.0);
}

TEST(ApproachPropagator, MarsMotionNeverDecidesTheStep) {
    // A "Mars" a million km from the Sun changes its velocity by a tenth in
    // 360 s; the spacecraft far away barely changes. One step is taken.
    ApproachState s;
    s.marsPos = _V(1e9, 0, 0);
    s.marsVel = _V(0, 0, std::sqrt(kGmSun / 1e9));
    s.shipPos = _V(-2.2e11, 0, 1e10);
    s.shipVel = _V(1000, 0, -24000);
    const ApproachState start = s;
    PropagationParameters p = {360.0, 360.0, 0.001};
    PropagateToPeriapsis(s, p, _V(0, 0, 0), 5300.0);

    // The same single Runge-Kutta step of 360 s done here.
    const double h = 360.0;
    const ApproachState k1 = ApproachDerivatives(start);
    auto shifted = [&](const ApproachState &k, double f) {
        return ApproachState{start.marsPos + k.marsPos * f, start.marsVel + k.marsVel * f,
                             start.shipPos + k.shipPos * f, start.shipVel + k.shipVel * f};
    };
    const ApproachState k2 = ApproachDerivatives(shifted(k1, h / 2));
    const ApproachState k3 = ApproachDerivatives(shifted(k2, h / 2));
    const ApproachState k4 = ApproachDerivatives(shifted(k3, h));
    const VECTOR3 marsPos =
        start.marsPos + (k1.marsPos + k2.marsPos * 2 + k3.marsPos * 2 + k4.marsPos) * (h / 6);
    EXPECT_LT(length(s.marsPos - marsPos), 1e-6 * length(marsPos - start.marsPos));
}

TEST(ApproachPropagator, RecedingStartGivesThePastPeriapsis) {
    // Leaving Mars on a hyperbola: one step, then the completion.
    const ApproachState start = MarsWithShip(_V(4e6, 1e6, -2e6), _V(2500, 3000, 2500));
    ApproachState oneStep = start;
    PropagationParameters first = {5.0, 5.0, 0.001};
    PropagateToPeriapsis(oneStep, first, _V(0, 0, 0), 5300.0);
    ASSERT_EQ(first.horizon, 5.0);

    ApproachState s = start;
    PropagationParameters p = {5.0, 1e6, 0.001};
    PropagateToPeriapsis(s, p, _V(0, 0, 0), 5300.0);

    OrbitRecord o = {};
    o.mu = kGmMars;
    o.epoch = 0.0;
    o.position = oneStep.shipPos - oneStep.marsPos;
    o.velocity = oneStep.shipVel - oneStep.marsVel;
    StateToElements(o);
    ASSERT_GT(o.eccentricity, 1.0);
    const VECTOR3 r = s.shipPos - s.marsPos, v = s.shipVel - s.marsVel;
    EXPECT_NEAR(length(r), o.semiLatusRectum / (1 + o.eccentricity), 1e-3);
    EXPECT_NEAR(dotp(r, v) / (length(r) * length(v)), 0.0, 1e-12);
    EXPECT_LT(p.horizon, 0.0);
    EXPECT_NEAR(p.horizon, 5.0 + o.periapsisTime * 86400.0, 1e-6);
    EXPECT_EQ(s.marsPos.x, oneStep.marsPos.x);  // Mars stays where the integration ended
}

TEST(ApproachPropagator, BoundSpacecraftCompletesOnTheEllipse) {
    // Near apoapsis of an ellipse about Mars, falling in.
    const ApproachState start = MarsWithShip(_V(-2e7, 0, 0), _V(0, 300, -900));
    OrbitRecord o = {};
    o.mu = kGmMars;
    o.position = start.shipPos - start.marsPos;
    o.velocity = start.shipVel - start.marsVel;
    StateToElements(o);
    ASSERT_LT(o.eccentricity, 1.0);

    ApproachState s = start;
    PropagationParameters p = {360.0, 3e6, 0.001};
    PropagateToPeriapsis(s, p, _V(0, 0, 0), 1e9);
    ASSERT_TRUE(Finite(s.shipPos) && Finite(s.shipVel) && std::isfinite(p.horizon));
    const VECTOR3 r = s.shipPos - s.marsPos, v = s.shipVel - s.marsVel;
    const double q = o.semiLatusRectum / (1 + o.eccentricity);
    EXPECT_NEAR(length(r), q, 0.001 * q);  // the Sun's tide bends it a little
    EXPECT_NEAR(dotp(r, v) / (length(r) * length(v)), 0.0, 1e-12);
    const double toPeriapsis = o.period / 2 - (o.epoch - o.periapsisTime) * 86400.0 + o.period / 2;
    EXPECT_NEAR(p.horizon, std::fmod(toPeriapsis, o.period), 30.0);
}

// Against a DOP853 (rtol 1e-13) integration of the same forces.
TEST(ApproachPropagator, AgreesWithTheReferenceIntegration) {
    const auto cases = ReadPeriapsisReference<ApproachState>("approach_reference.txt", [](ApproachState &s) {
        return std::vector<VECTOR3 *>{&s.marsPos, &s.marsVel, &s.shipPos, &s.shipVel};
    });
    ASSERT_EQ(cases.size(), 2u);
    for (const auto &c : cases) {
        for (const PropagationParameters &setting : {PropagationParameters{360.0, 2650000.0, 0.001},
                                                     PropagationParameters{3600.0, 3000000.0, 0.001}}) {
            ApproachState s = c.start;
            PropagationParameters p = setting;
            PropagateToPeriapsis(s, p, c.deltaV, 5300.0);
            const double timeError = p.horizon - c.time;
            const double positionError = length(s.shipPos - s.marsPos - c.position);
            const double velocityError = length(s.shipVel - s.marsVel - c.velocity);
            std::printf(
                "%s step %.0f: periapsis time error %.3f s, position error %.3f m, velocity error %.2e m/s\n",
                c.name.c_str(), setting.step, timeError, positionError, velocityError);
            EXPECT_LT(std::fabs(timeError), 1.0);
            EXPECT_LT(positionError, 100.0);
        }
    }
}

}  // namespace
