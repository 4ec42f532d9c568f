#include "core/GravityModel.h"

#include <algorithm>
#include <cmath>

namespace sim {

GravityModel::GravityModel(const SolarSystemEphemeris &ephemeris) : ephemeris_(ephemeris) {
    for (int i = 0; i < kBodyCount; ++i) gm_[i] = bodyConstants(static_cast<BodyId>(i)).gm;
}

VECTOR3 GravityModel::acceleration(double mjd, const VECTOR3 &position) const {
    VECTOR3 acc = _V(0, 0, 0);
    for (int i = 0; i < kBodyCount; ++i) {
        VECTOR3 bodyPos, bodyVel;
        ephemeris_.state(static_cast<BodyId>(i), mjd, bodyPos, bodyVel);
        VECTOR3 d = bodyPos - position;
        double r2 = dotp(d, d);
        double r = std::sqrt(r2);
        acc += d * (gm_[i] / (r2 * r));
    }
    return acc;
}

double GravityModel::maxSubstep(double mjd, const VECTOR3 &position) const {
    double shortest = 1e300;
    for (int i = 0; i < kBodyCount; ++i) {
        VECTOR3 bodyPos, bodyVel;
        ephemeris_.state(static_cast<BodyId>(i), mjd, bodyPos, bodyVel);
        double r = length(bodyPos - position);
        shortest = std::min(shortest, std::sqrt(r * r * r / gm_[i]));
    }
    return std::max(stepFactor_ * shortest, 1e-3);
}

int GravityModel::propagate(double mjd, double dt, VECTOR3 &position, VECTOR3 &velocity,
                            const ThrustProfile *thrust) const {
    if (dt == 0.0) return 0;
    const double direction = dt > 0 ? 1.0 : -1.0;
    double remaining = std::fabs(dt);
    double elapsed = 0.0;  // signed seconds since the start
    int substeps = 0;
    auto accelerationAt = [&](double t, const VECTOR3 &pos) {
        VECTOR3 acc = acceleration(mjd + t / 86400.0, pos);
        if (thrust) {
            double mass = thrust->initialMass - thrust->massFlow * std::fabs(t);
            if (mass > 0) acc += thrust->force / mass;
        }
        return acc;
    };
    while (remaining > 0) {
        double h = std::min(remaining, maxSubstep(mjd + elapsed / 86400.0, position));
        // Avoid a sliver of a last step.
        if (remaining - h < 1e-6 * h) h = remaining;
        double hs = h * direction;
        VECTOR3 p0 = position, v0 = velocity;
        VECTOR3 a1 = accelerationAt(elapsed, p0);
        VECTOR3 p2 = p0 + v0 * (hs / 2), v2 = v0 + a1 * (hs / 2);
        VECTOR3 a2 = accelerationAt(elapsed + hs / 2, p2);
        VECTOR3 p3 = p0 + v2 * (hs / 2), v3 = v0 + a2 * (hs / 2);
        VECTOR3 a3 = accelerationAt(elapsed + hs / 2, p3);
        VECTOR3 p4 = p0 + v3 * hs, v4 = v0 + a3 * hs;
        VECTOR3 a4 = accelerationAt(elapsed + hs, p4);
        position = p0 + (v0 + v2 * 2 + v3 * 2 + v4) * (hs / 6);
        velocity = v0 + (a1 + a2 * 2 + a3 * 2 + a4) * (hs / 6);
        elapsed += hs;
        remaining -= h;
        ++substeps;
    }
    return substeps;
}

}  // namespace sim
