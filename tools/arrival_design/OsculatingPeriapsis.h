// The periapsis of the two-body orbit through a body-relative state: where
// a spacecraft would pass closest if only that body pulled it. For an entry
// aimed below the surface this is the periapsis its approach is aimed at.
#pragma once

#include <OrbiterAPI.h>

namespace arrival_design {

struct OsculatingPeriapsis {
    VECTOR3 position;  // relative to the body, the state's axes
    VECTOR3 velocity;
    double secondsAhead;  // from the state to the periapsis (negative: passed)
    double eccentricity;
};

// From the eccentricity vector and the anomaly of the state (ellipse or
// hyperbola; not the exact parabola). gm is the body's gravitational
// parameter.
OsculatingPeriapsis PeriapsisOf(double gm, const VECTOR3 &position, const VECTOR3 &velocity);

}  // namespace arrival_design
