#include "ThreeBodyPropagator.h"

#include <cmath>

namespace {

const double kClosestApproachFloor = 1000000.0;  // m from the Earth's centre
const double kInitialClosest = 1e24;             // m
const double kStepAfterBurn = 1.0;               // s
const double kSecondsPerDay = 86400.0;

inline ThreeBodyState Add(const ThreeBodyState &y, const ThreeBodyState &k, double factor) {
    return {y.earthPos + k.earthPos * factor,   y.earthVel + k.earthVel * factor,
            y.vesselPos + k.vesselPos * factor, y.vesselVel + k.vesselVel * factor,
            y.moonPos + k.moonPos * factor,     y.moonVel + k.moonVel * factor};
}

// r / |r|^3, with one division.
inline VECTOR3 InverseSquare(const VECTOR3 &r) {
    const double d2 = r.x * r.x + r.y * r.y + r.z * r.z;
    return r * (1.0 / (d2 * std::sqrt(d2)));
}

}  // namespace

ThreeBodyState ThreeBodyDerivatives(const ThreeBodyState &s) {
    const VECTOR3 earthToMoon = InverseSquare(s.moonPos - s.earthPos);
    ThreeBodyState d;
    d.earthPos = s.earthVel;
    d.earthVel = InverseSquare(s.earthPos) * -kThreeBodyGmSun + earthToMoon * kThreeBodyGmMoon;
    d.vesselPos = s.vesselVel;
    d.vesselVel = InverseSquare(s.vesselPos) * -kThreeBodyGmSun -
                  InverseSquare(s.vesselPos - s.earthPos) * kThreeBodyGmEarth -
                  InverseSquare(s.vesselPos - s.moonPos) * kThreeBodyGmMoon;
    d.moonPos = s.moonVel;
    d.moonVel = InverseSquare(s.moonPos) * -kThreeBodyGmSun - earthToMoon * kThreeBodyGmEarth;
    return d;
}

bool Propagate(ThreeBodyState &state, ThreeBodyParameters &parameters, OrbitRecord &record,
               const VECTOR3 &deltaV, double burnTime, long *forceEvaluations) {
    if (parameters.duration <= 0.0) return false;
    double elapsed = 0.0;
    double h = parameters.step;
    double closest = kInitialClosest;
    enum { kBurnPending, kBurnNext, kBurnDone } burn = kBurnPending;
    long evaluations = 0;
    bool reached = false;

    while (h != 0.0) {
        ThreeBodyState next;
        double change;
        for (;;) {
            const ThreeBodyState k1 = ThreeBodyDerivatives(state);
            const ThreeBodyState k2 = ThreeBodyDerivatives(Add(state, k1, h / 2.0));
            const ThreeBodyState k3 = ThreeBodyDerivatives(Add(state, k2, h / 2.0));
            const ThreeBodyState k4 = ThreeBodyDerivatives(Add(state, k3, h));
            evaluations += 4;
            const ThreeBodyState sum = Add(Add(Add(k1, k2, 2.0), k3, 2.0), k4, 1.0);
            next = Add(state, sum, h / 6.0);
            // Only the vessel's velocity change judges the step.
            change = length(sum.vesselVel * (h / 6.0)) / length(next.vesselVel);
            if (!(change > parameters.tolerance)) break;
            h /= 2.0;
        }
        // A state that is not finite would otherwise be stepped at a fixed
        // step through the whole duration.
        if (!std::isfinite(change)) break;

        elapsed += h;
        if (change < parameters.tolerance / 2.0) h *= 2.0;

        if (elapsed + h > burnTime && burn == kBurnPending) {
            h = burnTime - elapsed;
            burn = kBurnNext;
            if (h < kStepAfterBurn) {
                next.vesselVel += deltaV;
                h = kStepAfterBurn;
                burn = kBurnDone;
            }
        } else if (burn == kBurnNext) {
            next.vesselVel += deltaV;
            h = kStepAfterBurn;
            burn = kBurnDone;
        }
        state = next;

        const double distance = length(state.vesselPos - state.earthPos);
        if (distance > closest || distance < kClosestApproachFloor) {
            record.mu = kThreeBodyGmEarth;
            record.epoch = oapiGetSimMJD() + elapsed / kSecondsPerDay;
            record.position = state.vesselPos - state.earthPos;
            record.velocity = state.vesselVel - state.earthVel;
            parameters.step = h;
            parameters.duration = elapsed;
            parameters.tolerance = 1.0;
            reached = true;
            break;
        }
        closest = distance;
        if (elapsed >= parameters.duration) break;
    }
    if (forceEvaluations) *forceEvaluations += evaluations;
    return reached;
}
