#include "BodyEphemeris.h"

#include <OrbiterAPI.h>
#include <CelBodyAPI.h>

#include <cmath>
#include <cstdio>

namespace {

// Request: true position and true velocity.
const int kRequestTrueState = EPHEM_TRUEPOS | EPHEM_TRUEVEL;

// The answers converted. Rectangular: the true state, alone (3), with the
// barycentric one taken as the same (19), or with both written (31). Polar:
// the true state (67), also standing for the barycentric one (83), or the
// barycentric position and velocity only (76).
const int kRectangularTrue = EPHEM_TRUEPOS | EPHEM_TRUEVEL;
const int kRectangularTrueIsBary = kRectangularTrue | EPHEM_BARYISTRUE;
const int kRectangularBoth = kRectangularTrue | EPHEM_BARYPOS | EPHEM_BARYVEL | EPHEM_BARYISTRUE;
const int kPolarTrue = EPHEM_POLAR | EPHEM_TRUEPOS | EPHEM_TRUEVEL;
const int kPolarTrueIsBary = kPolarTrue | EPHEM_BARYISTRUE;
const int kPolarBary = EPHEM_POLAR | EPHEM_BARYPOS | EPHEM_BARYVEL;

}  // namespace

VECTOR3 PolarToPosition(double longitude, double latitude, double radius) {
    const double cosLat = std::cos(latitude);
    return _V(cosLat * std::cos(longitude), std::sin(latitude), cosLat * std::sin(longitude)) * (AU * radius);
}

VECTOR3 PolarToVelocity(double longitude, double latitude, double radius, double longitudeRate,
                        double latitudeRate, double radiusRate) {
    // pos = AU r e_r with e_r = (cos lat cos lon, sin lat, cos lat sin lon);
    // d e_r = dlat e_lat + cos lat dlon e_lon.
    const double cosLat = std::cos(latitude), sinLat = std::sin(latitude);
    const double cosLon = std::cos(longitude), sinLon = std::sin(longitude);
    const VECTOR3 radial = _V(cosLat * cosLon, sinLat, cosLat * sinLon);
    const VECTOR3 north = _V(-sinLat * cosLon, cosLat, -sinLat * sinLon);
    const VECTOR3 east = _V(-sinLon, 0.0, cosLon);
    return (radial * radiusRate + north * (radius * latitudeRate) +
            east * (radius * cosLat * longitudeRate)) *
           AU;
}

OBJHANDLE BodyByName(const char *name) {
    char bodyName[64];
    std::snprintf(bodyName, sizeof(bodyName), "%s", name);
    return oapiGetGbodyByName(bodyName);
}

int GetBodyEphemeris(double mjd, const char *name, VECTOR3 &position, VECTOR3 &velocity, int &flags) {
    OBJHANDLE body = BodyByName(name);
    if (!body) return kEphemerisNoBody;
    CELBODY *celestial = oapiGetCelbodyInterface(body);
    if (!celestial || !celestial->bEphemeris()) return kEphemerisNone;

    double ret[12] = {0.0};
    flags = celestial->clbkEphemeris(mjd, kRequestTrueState, ret);
    switch (flags) {
        case kRectangularTrue:
        case kRectangularTrueIsBary:
        case kRectangularBoth:
            // Rectangular answers come in the simulator's axes, the same
            // layout the polar conversion produces.
            position = _V(ret[0], ret[1], ret[2]);
            velocity = _V(ret[3], ret[4], ret[5]);
            return kEphemerisDone;
        case kPolarTrue:
        case kPolarTrueIsBary:
            position = PolarToPosition(ret[0], ret[1], ret[2]);
            velocity = PolarToVelocity(ret[0], ret[1], ret[2], ret[3], ret[4], ret[5]);
            return kEphemerisDone;
        case kPolarBary:
            position = PolarToPosition(ret[6], ret[7], ret[8]);
            return kEphemerisDone;
        default:
            return kEphemerisUnhandled;
    }
}

VECTOR3 EphemerisPosition(double mjd, const char *name) {
    VECTOR3 position = _V(0.0, 0.0, 0.0), velocity = _V(0.0, 0.0, 0.0);
    int flags = 0;
    GetBodyEphemeris(mjd, name, position, velocity, flags);
    return position;
}
