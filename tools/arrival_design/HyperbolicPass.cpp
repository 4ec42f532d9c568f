#include "HyperbolicPass.h"

#include <cmath>

namespace arrival_design {

RelativeState HyperbolicPeriapsis(double gm, const VECTOR3 &vInfinity, double periapsisRadius,
                                  double sideAngle) {
    const double speed = length(vInfinity);
    const VECTOR3 along = vInfinity / speed;
    // Two directions across the asymptote: across it and the ecliptic north,
    // and across both.
    const VECTOR3 acrossNorth = unit(crossp(along, _V(0.0, 1.0, 0.0)));
    const VECTOR3 acrossBoth = crossp(along, acrossNorth);
    const VECTOR3 side = acrossNorth * std::cos(sideAngle) + acrossBoth * std::sin(sideAngle);

    // Perifocal axes in terms of the asymptote and the side: the periapsis
    // direction is (along / e + sin(theta) side), the periapsis velocity runs
    // along (sin(theta) along - side / e), theta being the true anomaly of the
    // asymptote (cos theta = -1/e).
    const double e = 1.0 + periapsisRadius * speed * speed / gm;
    const double sinTheta = std::sqrt(1.0 - 1.0 / (e * e));
    const double periapsisSpeed = std::sqrt(speed * speed + 2.0 * gm / periapsisRadius);
    RelativeState state;
    state.position = (along / e + side * sinTheta) * periapsisRadius;
    state.velocity = (along * sinTheta - side / e) * periapsisSpeed;
    return state;
}

}  // namespace arrival_design
