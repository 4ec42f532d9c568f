#include "core/Body.h"

#include <cmath>

#include "bodies/BodyEphemerisModule.h"

namespace sim {

Body::Body(BodyId id, const SolarSystemEphemeris &ephemeris)
    : SimObject(Kind::Body),
      id_(id),
      name_(bodyConstants(id).name),
      gm_(bodyConstants(id).gm),
      radius_(bodyConstants(id).meanRadius),
      ephemeris_(ephemeris),
      celbody_(makeBodyEphemerisModule(id, ephemeris)) {}

Body::~Body() = default;

void Body::update(double mjd) { ephemeris_.state(id_, mjd, position_, velocity_); }

void Body::stateAt(double mjd, VECTOR3 &pos, VECTOR3 &vel) const { ephemeris_.state(id_, mjd, pos, vel); }

static VECTOR3 surfaceVector(double longitude, double latitude, double radius) {
    return _V(radius * std::cos(latitude) * std::cos(longitude), radius * std::sin(latitude),
              radius * std::cos(latitude) * std::sin(longitude));
}

void Body::surfaceToGlobal(double mjd, double longitude, double latitude, double radius, VECTOR3 &pos,
                           VECTOR3 &vel) const {
    VECTOR3 centre, centreVel;
    stateAt(mjd, centre, centreVel);
    const VECTOR3 local = surfaceVector(longitude, latitude, radius);
    const PlanetRotation &rot = rotation();
    VECTOR3 offset = mul(rot.rotationMatrix(mjd), local);
    // The surface velocity from the rotation over one second either side.
    const double halfSecond = 0.5 / 86400.0;
    VECTOR3 ahead = mul(rot.rotationMatrix(mjd + halfSecond), local);
    VECTOR3 behind = mul(rot.rotationMatrix(mjd - halfSecond), local);
    pos = centre + offset;
    vel = centreVel + (ahead - behind);
}

void Body::globalToSurface(double mjd, const VECTOR3 &pos, double &longitude, double &latitude) const {
    VECTOR3 centre, centreVel;
    stateAt(mjd, centre, centreVel);
    VECTOR3 local = tmul(rotation().rotationMatrix(mjd), pos - centre);
    longitude = std::atan2(local.z, local.x);
    latitude = std::atan2(local.y, std::sqrt(local.x * local.x + local.z * local.z));
}

}  // namespace sim
