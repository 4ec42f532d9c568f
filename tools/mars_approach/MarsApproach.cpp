#include "MarsApproach.h"

#include <cmath>
#include <cstdio>

#include "bodies/PlanetRotation.h"

namespace mars_approach {

VECTOR3 TargetVector(double mjd) {
    const double lon = kTargetLongitude * RAD, lat = kTargetLatitude * RAD;
    const VECTOR3 surface = _V(std::cos(lat) * std::cos(lon), std::sin(lat), std::cos(lat) * std::sin(lon));
    return mul(sim::planetRotation(sim::BodyId::Mars).rotationMatrix(mjd), surface) * kTargetRadius;
}

FreeState DesignStart(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                      const Design &design) {
    const double gmMars = sim::bodyConstants(sim::BodyId::Mars).gm;
    VECTOR3 marsPos, marsVel;
    ephemeris.state(sim::BodyId::Mars, design.periapsisMjd, marsPos, marsVel);
    const VECTOR3 radial = TargetVector(design.periapsisMjd);
    // Periapsis velocity across the radius, in the plane of Mars' equator
    // direction of motion (east), so the approach comes in from the west.
    VECTOR3 along = crossp(_V(0, 1, 0), radial);  // horizontal, left-handed axes
    along = unit(along - radial * (dotp(along, radial) / dotp(radial, radial)));
    const double speed = std::sqrt(design.vInfinity * design.vInfinity + 2.0 * gmMars / length(radial));
    FreeState s = {design.periapsisMjd, marsPos + radial, marsVel + along * speed};
    s = arrival_design::Advance(gravity, s, -design.daysBefore * 86400.0);
    s.velocity += design.velocityOffset;
    return s;
}

Periapsis FindPeriapsis(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                        const FreeState &start, double maxDays) {
    const arrival_design::Periapsis at =
        arrival_design::FindPeriapsis(ephemeris, gravity, sim::BodyId::Mars, start, maxDays);
    Periapsis p;
    p.mjd = at.mjd;
    p.relativePosition = at.relativePosition;
    p.relativeVelocity = at.relativeVelocity;
    p.targetMiss = length(p.relativePosition - TargetVector(at.mjd));
    return p;
}

std::string ScenarioText(const sim::SolarSystemEphemeris &ephemeris, const FreeState &start,
                         const std::vector<ScenarioVessel> &onState, const std::string &focus,
                         const std::string &otherBlocks) {
    const char *spacecraft = onState.empty() ? "" : onState.front().name.c_str();
    char description[512];
    std::snprintf(description, sizeof(description),
                  "%s on its way to Mars, %.1f days before the periapsis of its approach.\n"
                  "The uncorrected approach misses the PLM target point; PLM 5 finds the correction.\n",
                  spacecraft, kTargetMjd - start.mjd);
    return arrival_design::ScenarioText(ephemeris, description, start, onState, focus, otherBlocks);
}

}  // namespace mars_approach
