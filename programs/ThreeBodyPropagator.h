// Joint propagation of the Earth, the vessel and the Moon about a fixed Sun
// up to the vessel's closest approach to the Earth.
//
// Point masses; the vessel attracts nothing. All vectors are heliocentric, in
// the simulator's axes (y = ecliptic north), metres and m/s.
#ifndef OKUL_PROGRAMS_THREEBODYPROPAGATOR_H
#define OKUL_PROGRAMS_THREEBODYPROPAGATOR_H

#include <OrbiterAPI.h>

#include "OrbitRecord.h"

// Gravitational parameters of the propagation [m^3/s^2].
const double kThreeBodyGmSun = 1.3271243995508995e20;
const double kThreeBodyGmEarth = 398600439968871.2;
const double kThreeBodyGmMoon = 4902794932976.0;

struct ThreeBodyState {
    VECTOR3 earthPos, earthVel;
    VECTOR3 vesselPos, vesselVel;
    VECTOR3 moonPos, moonVel;
};

struct ThreeBodyParameters {
    // In: the first step [s]. Out, after a closest approach: the step in force.
    double step;
    // In: the time limit [s]. Out, after a closest approach: the time elapsed.
    double duration;
    // In: bound of the vessel's relative velocity change per step. Out, after a
    // closest approach: 1.0.
    double tolerance;
};

// Time derivatives of the three states: each position's is its velocity, each
// velocity's the acceleration. The Earth and the Moon feel the Sun and each
// other; the vessel feels all three.
ThreeBodyState ThreeBodyDerivatives(const ThreeBodyState &state);

// Classical Runge-Kutta (4th order) with an adaptive step: a step whose
// change of the vessel's velocity, relative to the new velocity, exceeds the
// tolerance is halved and taken again; an accepted one below half the
// tolerance doubles the next. The step that would pass burnTime is shortened
// to end there, and deltaV is added to the vessel's velocity at the end of
// the following accepted step (at once, when the shortened step would be
// under a second); the next step is then 1 s.
//
// The states are advanced in place. Stops at the end of the first step that
// takes the vessel farther from the Earth than the step before, or inside
// 1,000 km of the Earth's centre: the record then receives the Earth's GM,
// the date (simulation date plus the time elapsed) and the vessel's
// Earth-relative state, the parameters the step in force, the time elapsed
// and 1.0, and the result is true. When the duration runs out first, or the
// velocity change can no longer be measured (a state that is not finite), the
// result is false and the record and the parameters stay as they were.
// The force evaluations made are added to *forceEvaluations when given.
bool Propagate(ThreeBodyState &state, ThreeBodyParameters &parameters, OrbitRecord &record,
               const VECTOR3 &deltaV, double burnTime, long *forceEvaluations = nullptr);

#endif  // OKUL_PROGRAMS_THREEBODYPROPAGATOR_H
