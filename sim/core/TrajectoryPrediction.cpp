#include "core/TrajectoryPrediction.h"

#include <algorithm>
#include <cmath>

#include "core/Body.h"
#include "core/GravityModel.h"
#include "core/Simulation.h"
#include "core/Vessel.h"

namespace sim {

namespace {

struct FreeState {
    double mjd;
    VECTOR3 position, velocity;
};

FreeState presentState(const Simulation &simulation, const Vessel &vessel) {
    const Vessel *top = &vessel;
    while (top->parent()) top = top->parent();
    return FreeState{simulation.mjd(), top->position, top->velocity};
}

FreeState advance(const Simulation &simulation, FreeState state, double seconds) {
    simulation.gravity().propagate(state.mjd, seconds, state.position, state.velocity);
    state.mjd += seconds / 86400.0;
    return state;
}

void relative(const Body &body, const FreeState &state, VECTOR3 &position, VECTOR3 &velocity) {
    VECTOR3 bodyPos, bodyVel;
    body.stateAt(state.mjd, bodyPos, bodyVel);
    position = state.position - bodyPos;
    velocity = state.velocity - bodyVel;
}

double rangeRate(const Body &body, const FreeState &state) {
    VECTOR3 r, v;
    relative(body, state, r, v);
    return dotp(r, v) / length(r);
}

PredictedPeriapsis describe(const Body &body, double mjd, const VECTOR3 &r, const VECTOR3 &v) {
    PredictedPeriapsis periapsis;
    periapsis.found = true;
    periapsis.mjd = mjd;
    periapsis.position = r;
    periapsis.velocity = v;
    periapsis.radius = length(r);
    VECTOR3 bodyPos, bodyVel;
    body.stateAt(mjd, bodyPos, bodyVel);
    body.globalToSurface(mjd, bodyPos + r, periapsis.longitude, periapsis.latitude);
    return periapsis;
}

}  // namespace

PredictedPeriapsis predictPeriapsis(const Simulation &simulation, const Vessel &vessel, const Body &body,
                                    double maxDays) {
    const double chunk = 120.0;  // s; well below half the shortest orbit the console meets
    const FreeState start = presentState(simulation, vessel);
    FreeState s = start;
    auto within = [&](const FreeState &state) { return state.mjd - start.mjd < maxDays; };
    while (rangeRate(body, s) >= 0.0 && within(s)) s = advance(simulation, s, chunk);
    FreeState next = advance(simulation, s, chunk);
    while (rangeRate(body, next) < 0.0) {
        if (!within(next)) return PredictedPeriapsis{};
        s = next;
        next = advance(simulation, s, chunk);
    }
    // Bisection on the range rate inside the last chunk.
    double low = 0.0, high = chunk;
    while (high - low > 1e-3) {
        const double mid = 0.5 * (low + high);
        if (rangeRate(body, advance(simulation, s, mid)) < 0.0)
            low = mid;
        else
            high = mid;
    }
    const FreeState at = advance(simulation, s, 0.5 * (low + high));
    VECTOR3 r, v;
    relative(body, at, r, v);
    return describe(body, at.mjd, r, v);
}

PredictedPeriapsis osculatingPeriapsis(const Simulation &simulation, const Vessel &vessel, const Body &body) {
    const FreeState now = presentState(simulation, vessel);
    VECTOR3 r, v;
    relative(body, now, r, v);
    const double mu = body.gm();
    // Eccentricity vector e = ((v^2 - mu/r) r - (r.v) v) / mu points at the
    // periapsis; it holds in any axes, left-handed ones included.
    const double rLength = length(r), speed2 = dotp(v, v), radial = dotp(r, v);
    const VECTOR3 e = (r * (speed2 - mu / rLength) - v * radial) / mu;
    const double eccentricity = length(e);
    const double energy = speed2 / 2.0 - mu / rLength;
    const double h = length(crossp(r, v));
    const double p = h * h / mu;
    const double q = p / (1.0 + eccentricity);
    // Time to the periapsis from the anomaly of the state.
    double seconds = 0.0;
    const double cosNu = eccentricity > 0.0 ? dotp(e, r) / (eccentricity * rLength) : 1.0;
    const double nu = std::acos(std::max(-1.0, std::min(1.0, cosNu))) * (radial < 0.0 ? -1.0 : 1.0);
    if (energy > 0.0) {
        const double a = -mu / (2.0 * energy);
        const double F =
            2.0 * std::atanh(std::sqrt((eccentricity - 1.0) / (eccentricity + 1.0)) * std::tan(nu / 2.0));
        seconds = -std::sqrt(-a * a * a / mu) * (eccentricity * std::sinh(F) - F);
    } else if (energy < 0.0) {
        const double a = -mu / (2.0 * energy);
        const double E =
            2.0 * std::atan(std::sqrt((1.0 - eccentricity) / (1.0 + eccentricity)) * std::tan(nu / 2.0));
        seconds = -std::sqrt(a * a * a / mu) * (E - eccentricity * std::sin(E));
    }
    const VECTOR3 toPeriapsis = eccentricity > 0.0 ? e / eccentricity : r / rLength;
    // (r x v) x e lies along the motion at the periapsis (the identity holds for
    // the component formulas whatever the handedness of the axes).
    const VECTOR3 along = unit(crossp(crossp(r, v), toPeriapsis));
    const double periapsisSpeed = h / q;
    return describe(body, now.mjd + seconds / 86400.0, toPeriapsis * q, along * periapsisSpeed);
}

std::vector<VECTOR3> predictPath(const Simulation &simulation, const Vessel &vessel, const Body &body,
                                 double days, int count) {
    std::vector<VECTOR3> points;
    if (count < 2) count = 2;
    FreeState s = presentState(simulation, vessel);
    const double total = std::fabs(days) * 86400.0, direction = days < 0 ? -1.0 : 1.0;
    const double longest = total / (count - 1);
    double done = 0.0;
    VECTOR3 r, v;
    relative(body, s, r, v);
    points.push_back(r);
    // Steps of a hundredth of the time the vessel takes to cross its own
    // distance from the body, so that a close pass is drawn as finely as
    // the long way there.
    while (done < total && points.size() < std::size_t(50 * count)) {
        double step = std::min(longest, std::max(1.0, 0.01 * length(r) / std::max(length(v), 1e-3)));
        step = std::min(step, total - done);
        s = advance(simulation, s, direction * step);
        done += step;
        relative(body, s, r, v);
        points.push_back(r);
    }
    return points;
}

}  // namespace sim
