// Joint propagation of Mars and a spacecraft about a fixed Sun up to the
// spacecraft's closest approach to Mars, finished analytically on the
// osculating Mars-centred orbit.
//
// All vectors are heliocentric, in the simulator's axes (y = ecliptic north),
// metres and m/s.
#ifndef OKUL_PROGRAMS_APPROACHPROPAGATOR_H
#define OKUL_PROGRAMS_APPROACHPROPAGATOR_H

#include <OrbiterAPI.h>

struct ApproachState {
    VECTOR3 marsPos, marsVel;
    VECTOR3 shipPos, shipVel;
};

struct PropagationParameters {
    // In: initial step [s]. Out, after a periapsis: the step in use at the end.
    double step;
    // In: integration limit [s from the start]. Out, after a periapsis: the
    // time of periapsis [s from the start]; unchanged when none was reached.
    double horizon;
    // Bound of the spacecraft's relative velocity change per step.
    double tolerance;
};

// Mars feels the Sun only; the spacecraft feels the Sun and Mars.
ApproachState ApproachDerivatives(const ApproachState &state);

// Runge-Kutta (4th order) with step halving and doubling on the spacecraft's
// velocity change; deltaV is added to the spacecraft's velocity burnTime
// seconds after the start (the step is cut to end there). As soon as the
// distance to Mars grows, the spacecraft is put on the periapsis of its
// osculating orbit about Mars (hyperbola, or ellipse when bound) and
// parameters.horizon becomes the periapsis time. Mars keeps its state at the
// end of the integration. Without a closest approach within the horizon the
// state is the one at the horizon and the parameters are unchanged.
void PropagateToPeriapsis(ApproachState &state, PropagationParameters &parameters, const VECTOR3 &deltaV,
                          double burnTime);

#endif  // OKUL_PROGRAMS_APPROACHPROPAGATOR_H
