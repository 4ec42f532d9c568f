// Point-mass gravity of the Sun and the planets and the Moon in the
// barycentric inertial frame, and the integrator that carries free vessels
// through a frame. Bodies follow the ephemeris; a vessel feels every body.
#pragma once

#include <OrbiterAPI.h>

#include "bodies/BodyId.h"
#include "bodies/SolarSystemEphemeris.h"

namespace sim {

// Thrust acting on a vessel through a step: a constant force in global axes
// on a mass that falls at a constant rate.
struct ThrustProfile {
    VECTOR3 force{};
    double initialMass = 1.0;
    double massFlow = 0.0;  // kg/s
};

class GravityModel {
public:
    explicit GravityModel(const SolarSystemEphemeris &ephemeris);

    // Gravitational acceleration at a global position at date mjd.
    VECTOR3 acceleration(double mjd, const VECTOR3 &position) const;

    // Carries a free state (global position, velocity) from date mjd over dt
    // seconds (dt may be negative) with classic Runge-Kutta sub-steps no longer
    // than stepFactor times the shortest dynamical time sqrt(r^3/GM) of any
    // body. Returns the number of sub-steps.
    int propagate(double mjd, double dt, VECTOR3 &position, VECTOR3 &velocity,
                  const ThrustProfile *thrust = nullptr) const;

    // Sub-step length limit at a position (seconds, positive).
    double maxSubstep(double mjd, const VECTOR3 &position) const;

    double stepFactor() const { return stepFactor_; }
    void setStepFactor(double factor) { stepFactor_ = factor; }

private:
    const SolarSystemEphemeris &ephemeris_;
    double gm_[kBodyCount];
    double stepFactor_ = 0.004;
};

}  // namespace sim
