#include "bodies/PlanetRotation.h"

#include <cmath>

namespace sim {

namespace {

const double kTwoPi = 6.283185307179586476925;
const double kDegree = kTwoPi / 360.0;
const double kDay = 86400.0;
const double kEpochMjd = 43200.0;

// Earth: mean pole of 1977.2, rotation angle at MJD 43200 and the inertial
// rotation period (Earth-rotation-angle rate 1.00273781191135448 turns a day).
// Within about 1 km at the equator over 1975-1979.
// Mars: IAU 2009 pole and prime meridian (alpha0 = 317.68143 - 0.1061 T,
// delta0 = 52.88650 - 0.0609 T, W = 176.630 + 350.89198226 d) evaluated at
// MJD 43200.
// Others: equator in the ecliptic, published sidereal rotation periods
// (Venus retrograde, hence negative; Sun: Carrington period; Jupiter and
// Saturn: System III).
const PlanetRotation kRotations[kBodyCount] = {
    /* Sun */ {0.0, 0.0, kEpochMjd, 0.0, 25.38 * kDay},
    /* Mercury */ {0.0, 0.0, kEpochMjd, 0.0, 58.6462 * kDay},
    /* Venus */ {0.0, 0.0, kEpochMjd, 0.0, -243.0185 * kDay},
    /* Earth */ {23.439282 * kDegree, 0.319763 * kDegree, kEpochMjd, 155.526631 * kDegree, 86164.098904},
    /* Moon */ {0.0, 0.0, kEpochMjd, 0.0, 27.321661 * kDay},
    /* Mars */ {26.717005 * kDegree, 262.952469 * kDegree, kEpochMjd, 177.605320 * kDegree, 88642.6638},
    /* Jupiter */ {0.0, 0.0, kEpochMjd, 0.0, 35729.71},
    /* Saturn */ {0.0, 0.0, kEpochMjd, 0.0, 38362.4},
};

// [cos a 0 -sin a; 0 1 0; sin a 0 cos a]
MATRIX3 aboutPole(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return _M(c, 0.0, -s, 0.0, 1.0, 0.0, s, 0.0, c);
}

}  // namespace

double PlanetRotation::rotationAt(double mjd) const {
    if (siderealPeriod == 0.0) return rotationAtEpoch;
    // Whole turns are dropped before scaling by 2pi to keep the angle exact
    // over decades.
    const double turns = (mjd - epochMjd) * kDay / siderealPeriod;
    double angle = rotationAtEpoch + (turns - std::floor(turns)) * kTwoPi;
    angle = std::fmod(angle, kTwoPi);
    if (angle < 0.0) angle += kTwoPi;
    if (angle >= kTwoPi) angle = 0.0;
    return angle;
}

MATRIX3 PlanetRotation::obliquityMatrix() const {
    const double c = std::cos(obliquity), s = std::sin(obliquity);
    const MATRIX3 tilt = _M(1.0, 0.0, 0.0, 0.0, c, -s, 0.0, s, c);
    return mul(aboutPole(theta), tilt);
}

MATRIX3 PlanetRotation::rotationMatrix(double mjd) const {
    return mul(obliquityMatrix(), aboutPole(rotationAt(mjd)));
}

const PlanetRotation &planetRotation(BodyId id) { return kRotations[static_cast<int>(id)]; }

}  // namespace sim
