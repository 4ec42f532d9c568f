#include "MarsApproach.h"

#include <cmath>
#include <cstdio>

#include "bodies/PlanetRotation.h"

namespace mars_approach {

namespace {

VECTOR3 MarsRelative(const sim::SolarSystemEphemeris &ephemeris, const FreeState &s,
                     VECTOR3 *relativeVelocity) {
    VECTOR3 marsPos, marsVel;
    ephemeris.state(sim::BodyId::Mars, s.mjd, marsPos, marsVel);
    if (relativeVelocity) *relativeVelocity = s.velocity - marsVel;
    return s.position - marsPos;
}

// Radial velocity relative to Mars (negative while approaching).
double RangeRate(const sim::SolarSystemEphemeris &ephemeris, const FreeState &s) {
    VECTOR3 v;
    const VECTOR3 r = MarsRelative(ephemeris, s, &v);
    return dotp(r, v) / length(r);
}

FreeState Advance(const sim::GravityModel &gravity, FreeState s, double seconds) {
    gravity.propagate(s.mjd, seconds, s.position, s.velocity);
    s.mjd += seconds / 86400.0;
    return s;
}

}  // namespace

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
    s = Advance(gravity, s, -design.daysBefore * 86400.0);
    s.velocity += design.velocityOffset;
    return s;
}

Periapsis FindPeriapsis(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                        const FreeState &start, double maxDays) {
    const double chunk = 600.0;
    FreeState s = start;
    while (RangeRate(ephemeris, s) >= 0.0 && s.mjd - start.mjd < maxDays) s = Advance(gravity, s, chunk);
    FreeState before = s;
    while (s.mjd - start.mjd < maxDays) {
        FreeState next = Advance(gravity, s, chunk);
        if (RangeRate(ephemeris, next) >= 0.0) break;
        s = next;
    }
    before = s;
    // Bisection on the range rate inside the last chunk.
    double low = 0.0, high = chunk;
    while (high - low > 1e-3) {
        const double mid = 0.5 * (low + high);
        if (RangeRate(ephemeris, Advance(gravity, before, mid)) < 0.0)
            low = mid;
        else
            high = mid;
    }
    const FreeState at = Advance(gravity, before, 0.5 * (low + high));
    Periapsis p;
    p.mjd = at.mjd;
    p.relativePosition = MarsRelative(ephemeris, at, &p.relativeVelocity);
    p.targetMiss = length(p.relativePosition - TargetVector(at.mjd));
    return p;
}

}  // namespace mars_approach

namespace mars_approach {

namespace {

std::string VesselBlock(const std::string &name, const std::string &className, const VECTOR3 &rpos,
                        const VECTOR3 &rvel, const std::string &extraLines) {
    char text[512];
    std::snprintf(text, sizeof(text),
                  "%s:%s\n"
                  "  STATUS Orbiting Sun\n"
                  "  RPOS %.6f %.6f %.6f\n"
                  "  RVEL %.9f %.9f %.9f\n",
                  name.c_str(), className.c_str(), rpos.x, rpos.y, rpos.z, rvel.x, rvel.y, rvel.z);
    return text + extraLines + "END\n";
}

}  // namespace

std::string ScenarioText(const sim::SolarSystemEphemeris &ephemeris, const FreeState &start,
                         const std::vector<ScenarioVessel> &onState, const std::string &focus,
                         const std::string &otherBlocks) {
    VECTOR3 sunPos, sunVel;
    ephemeris.state(sim::BodyId::Sun, start.mjd, sunPos, sunVel);
    const VECTOR3 rpos = start.position - sunPos, rvel = start.velocity - sunVel;
    const char *spacecraft = onState.empty() ? "" : onState.front().name.c_str();
    char head[1024];
    std::snprintf(head, sizeof(head),
                  "BEGIN_DESC\n"
                  "%s on its way to Mars, %.1f days before the periapsis of its approach.\n"
                  "The uncorrected approach misses the PLM target point; PLM 5 finds the correction.\n"
                  "END_DESC\n\n"
                  "BEGIN_ENVIRONMENT\n"
                  "  System Sol\n"
                  "  Date MJD %.6f\n"
                  "END_ENVIRONMENT\n\n"
                  "BEGIN_FOCUS\n"
                  "  Ship %s\n"
                  "END_FOCUS\n\n"
                  "BEGIN_SHIPS\n",
                  spacecraft, kTargetMjd - start.mjd, start.mjd, focus.c_str());
    std::string text = head;
    for (const ScenarioVessel &v : onState)
        text += VesselBlock(v.name, v.className, rpos, rvel, v.extraLines);
    return text + otherBlocks + "END_SHIPS\n";
}

}  // namespace mars_approach
