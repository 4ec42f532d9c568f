#include "OsculatingPeriapsis.h"

#include <algorithm>
#include <cmath>

namespace arrival_design {

OsculatingPeriapsis PeriapsisOf(double gm, const VECTOR3 &r, const VECTOR3 &v) {
    const double distance = length(r);
    const double speed2 = dotp(v, v);
    const double radialSpeed = dotp(r, v) / distance;
    // Eccentricity vector: toward the periapsis, of the eccentricity's length.
    const VECTOR3 eVector = (r * (speed2 - gm / distance) - v * dotp(r, v)) / gm;
    const double e = length(eVector);
    const double a = 1.0 / (2.0 / distance - speed2 / gm);  // negative for a hyperbola
    const double p = a * (1.0 - e * e);
    const double periapsisRadius = p / (1.0 + e);
    const VECTOR3 toPeriapsis = eVector / e;
    // The direction of motion there: (r x v) x e, whatever the handedness of the axes.
    const VECTOR3 along = unit(crossp(crossp(r, v), toPeriapsis));
    OsculatingPeriapsis result;
    result.eccentricity = e;
    result.position = toPeriapsis * periapsisRadius;
    result.velocity = along * std::sqrt(gm * (1.0 + e) / periapsisRadius);

    const double cosNu = std::max(-1.0, std::min(1.0, dotp(toPeriapsis, r) / distance));
    const double nu = std::acos(cosNu) * (radialSpeed >= 0 ? 1.0 : -1.0);
    double sincePeriapsis;
    if (e > 1.0) {
        const double F = 2.0 * std::atanh(std::sqrt((e - 1.0) / (e + 1.0)) * std::tan(nu / 2.0));
        sincePeriapsis = std::sqrt(-a * a * a / gm) * (e * std::sinh(F) - F);
    } else {
        const double E = 2.0 * std::atan(std::sqrt((1.0 - e) / (1.0 + e)) * std::tan(nu / 2.0));
        sincePeriapsis = std::sqrt(a * a * a / gm) * (E - e * std::sin(E));
    }
    result.secondsAhead = -sincePeriapsis;
    return result;
}

}  // namespace arrival_design
