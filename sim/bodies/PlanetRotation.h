// Orientation of a body's equator and its rotation: a frozen mean pole turned
// at a constant rate.
//
// Obliquity is the angle between the pole and ecliptic north; theta the
// ecliptic longitude of the direction pole x ecliptic-north (the node of the
// equator on the ecliptic; 0 for Earth, the vernal equinox); the rotation
// angle is measured about the pole, eastward, from that direction to the prime
// meridian. Matrices act on vectors in the simulator's axes (y north):
// equatorial (or body-fixed) to ecliptic.
#pragma once

#include <OrbiterAPI.h>

#include "bodies/BodyId.h"

namespace sim {

struct PlanetRotation {
    double obliquity;        // [rad]
    double theta;            // [rad]
    double epochMjd;         // date of rotationAtEpoch
    double rotationAtEpoch;  // [rad]
    double siderealPeriod;   // [s]; negative for retrograde rotation

    // Rotation angle at the date, in [0, 2pi).
    double rotationAt(double mjd) const;
    // Equatorial to ecliptic: Ry(theta) * Rx(-obliquity) in the form
    // [cos th 0 -sin th; 0 1 0; sin th 0 cos th] * [1 0 0; 0 cos e -sin e; 0 sin e cos e].
    MATRIX3 obliquityMatrix() const;
    // Body-fixed to ecliptic at the date: obliquityMatrix() times
    // [cos w 0 -sin w; 0 1 0; sin w 0 cos w], w the rotation angle.
    MATRIX3 rotationMatrix(double mjd) const;
};

const PlanetRotation &planetRotation(BodyId id);

}  // namespace sim
