// Periapsis state of a hyperbolic pass about a body, set by how the
// spacecraft arrives: its velocity relative to the body long before the pass
// (the excess velocity), the periapsis radius, and the side of the body on
// which it passes.
#pragma once

#include <OrbiterAPI.h>

namespace arrival_design {

struct RelativeState {
    VECTOR3 position, velocity;  // relative to the body, ecliptic axes
};

// The two-body hyperbola about a body of parameter gm whose incoming
// asymptote runs along vInfinity, at its periapsis. The periapsis lies on the
// side given by a direction across vInfinity: sideAngle 0 takes the direction
// across vInfinity and the ecliptic north, other angles turn it about
// vInfinity (a quarter turn gives the direction across both).
RelativeState HyperbolicPeriapsis(double gm, const VECTOR3 &vInfinity, double periapsisRadius,
                                  double sideAngle);

}  // namespace arrival_design
