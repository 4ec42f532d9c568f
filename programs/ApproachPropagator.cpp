#include "ApproachPropagator.h"
#include "InterfaceConstants.h"

#include <cmath>

#include "VectorMath.h"

namespace {

const double kGmSun = 1.3271243995508995e20;
const double kGmMars = 4.282829916378e13;
const double kInitialMinimumDistance = 1e24;

ApproachState Add(const ApproachState &y, const ApproachState &k, double factor) {
    return {y.marsPos + k.marsPos * factor, y.marsVel + k.marsVel * factor, y.shipPos + k.shipPos * factor,
            y.shipVel + k.shipVel * factor};
}

// Periapsis of the orbit about Mars through (r, v), right-handed axes
// (y and z exchanged). Writes the periapsis state and returns the time from
// the periapsis to the given state (negative before it).
double OsculatingPeriapsis(const VECTOR3 &r, const VECTOR3 &v, VECTOR3 &periPos, VECTOR3 &periVel) {
    const double mu = kGmMars;
    const double rLen = length(r);
    const VECTOR3 h = crossp(r, v);
    const double hLen = length(h);
    const double inclination = std::acos(ClampToUnit(h.z / hLen));
    const bool inPlane = h.x == 0.0 && h.y == 0.0;
    double node = 0.0;
    if (!inPlane) {
        node = std::acos(ClampToUnit(-(h.y / hLen) / std::sin(inclination)));
        if (h.x < 0.0) node = kPi + kPi - node;
    }
    const double p = hLen * hLen / mu;
    const double e = std::sqrt((dotp(v, v) - 2.0 * mu / rLen) * hLen * hLen / (mu * mu) + 1.0);

    double nu = 0.0;  // a circular orbit has its periapsis here
    if (e > 0.0) {
        nu = std::acos(ClampToUnit((p / rLen - 1.0) / e));
        if (dotp(r, v) < 0.0) nu = -nu;
    }
    double u;
    if (inPlane) {
        u = std::atan2(r.y * Sign(h.z), r.x);
    } else {
        u = std::acos(ClampToUnit((std::cos(node) * r.x + std::sin(node) * r.y) / rLen));
        const double side = std::sin(node) * h.x;
        if (side != 0.0 ? (r.z / rLen) * side < 0.0 : r.z < 0.0) u = -u;
    }
    const double omega = u - nu;

    const double q = p / (1.0 + e);
    const double vq = std::sqrt(mu / p) * (1.0 + e);
    periPos = _V(q, 0.0, 0.0);
    periVel = _V(0.0, vq, 0.0);
    VECTOR3 *const rotated[2] = {&periPos, &periVel};
    for (VECTOR3 *w : rotated) {
        RotateXYZ(*w, _V(0.0, 0.0, -omega), *w);
        RotateXYZ(*w, _V(-inclination, 0.0, 0.0), *w);
        RotateXYZ(*w, _V(0.0, 0.0, -node), *w);
    }

    if (e > 1.0) {
        const double S = std::sqrt((e - 1.0) / (e + 1.0)) * std::tan(nu / 2.0);
        const double F = std::log((1.0 + S) / (1.0 - S));
        const double a = p / (e * e - 1.0);
        return std::sqrt(a * a * a / mu) * (e * std::sinh(F) - F);
    }
    if (e < 1.0) {
        // Bound to Mars: time through the eccentric anomaly.
        const double E = 2.0 * std::atan(std::sqrt((1.0 - e) / (1.0 + e)) * std::tan(nu / 2.0));
        const double a = p / (1.0 - e * e);
        return std::sqrt(a * a * a / mu) * (E - e * std::sin(E));
    }
    const double D = std::tan(nu / 2.0);
    return 0.5 * std::sqrt(p * p * p / mu) * (D + D * D * D / 3.0);
}

}  // namespace

ApproachState ApproachDerivatives(const ApproachState &s) {
    ApproachState d;
    d.marsPos = s.marsVel;
    const double marsDistance = length(s.marsPos);
    d.marsVel = s.marsPos * (-kGmSun / (marsDistance * marsDistance * marsDistance));
    d.shipPos = s.shipVel;
    const VECTOR3 relative = s.shipPos - s.marsPos;
    const double relativeDistance = length(relative);
    const double shipDistance = length(s.shipPos);
    d.shipVel = relative * (-kGmMars / (relativeDistance * relativeDistance * relativeDistance)) -
                s.shipPos * (kGmSun / (shipDistance * shipDistance * shipDistance));
    return d;
}

void PropagateToPeriapsis(ApproachState &state, PropagationParameters &parameters, const VECTOR3 &deltaV,
                          double burnTime) {
    if (parameters.horizon <= 0.0) return;
    double h = parameters.step;
    double t = 0.0;
    double minimumDistance = kInitialMinimumDistance;
    enum { kBurnPending, kBurnNext, kBurnDone } burn = kBurnPending;

    for (;;) {
        const double distance = length(state.shipPos - state.marsPos);
        if (distance > minimumDistance) break;
        minimumDistance = distance;

        ApproachState next;
        double rho;
        for (;;) {
            const ApproachState k1 = ApproachDerivatives(state);
            const ApproachState k2 = ApproachDerivatives(Add(state, k1, h / 2.0));
            const ApproachState k3 = ApproachDerivatives(Add(state, k2, h / 2.0));
            const ApproachState k4 = ApproachDerivatives(Add(state, k3, h));
            const ApproachState sum = Add(Add(Add(k1, k2, 2.0), k3, 2.0), k4, 1.0);
            next = Add(state, sum, h / 6.0);
            // Only the spacecraft's velocity change judges the step.
            rho = length(sum.shipVel * (h / 6.0)) / length(next.shipVel);
            if (!(rho > parameters.tolerance)) break;
            h /= 2.0;
        }
        t += h;
        if (rho < parameters.tolerance / 2.0) h *= 2.0;

        if (burn == kBurnPending && t + h > burnTime) {
            burn = kBurnNext;
            // Never step backwards: a correction time already passed is
            // applied after a zero-length step.
            h = burnTime - t < 0.0 ? 0.0 : burnTime - t;
        } else if (burn == kBurnNext) {
            next.shipVel += deltaV;
            burn = kBurnDone;
            h = parameters.step;
        }
        state = next;
        if (t >= parameters.horizon) return;
    }

    VECTOR3 r = state.shipPos - state.marsPos;
    VECTOR3 v = state.shipVel - state.marsVel;
    Exchange(r.y, r.z);
    Exchange(v.y, v.z);
    VECTOR3 periPos, periVel;
    const double sincePeriapsis = OsculatingPeriapsis(r, v, periPos, periVel);
    Exchange(periPos.y, periPos.z);
    Exchange(periVel.y, periVel.z);
    state.shipPos = state.marsPos + periPos;
    state.shipVel = state.marsVel + periVel;
    parameters.step = h;
    parameters.horizon = t - sincePeriapsis;
}
