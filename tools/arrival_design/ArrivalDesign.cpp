#include "ArrivalDesign.h"

#include <cstdio>

namespace arrival_design {

namespace {

// Radial velocity relative to the body (negative while approaching).
double RangeRate(const sim::SolarSystemEphemeris &ephemeris, sim::BodyId body, const FreeState &state) {
    VECTOR3 v;
    const VECTOR3 r = BodyRelative(ephemeris, body, state, &v);
    return dotp(r, v) / length(r);
}

std::string VesselBlock(const ScenarioVessel &vessel, const VECTOR3 &rpos, const VECTOR3 &rvel) {
    char text[512];
    std::snprintf(text, sizeof(text),
                  "%s:%s\n"
                  "  STATUS Orbiting Sun\n"
                  "  RPOS %.6f %.6f %.6f\n"
                  "  RVEL %.9f %.9f %.9f\n",
                  vessel.name.c_str(), vessel.className.c_str(), rpos.x, rpos.y, rpos.z, rvel.x, rvel.y,
                  rvel.z);
    return text + vessel.extraLines + "END\n";
}

}  // namespace

FreeState Advance(const sim::GravityModel &gravity, FreeState state, double seconds) {
    gravity.propagate(state.mjd, seconds, state.position, state.velocity);
    state.mjd += seconds / 86400.0;
    return state;
}

VECTOR3 BodyRelative(const sim::SolarSystemEphemeris &ephemeris, sim::BodyId body, const FreeState &state,
                     VECTOR3 *relativeVelocity) {
    VECTOR3 bodyPos, bodyVel;
    ephemeris.state(body, state.mjd, bodyPos, bodyVel);
    if (relativeVelocity) *relativeVelocity = state.velocity - bodyVel;
    return state.position - bodyPos;
}

Periapsis FindPeriapsis(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                        sim::BodyId body, const FreeState &start, double maxDays) {
    const double chunk = 600.0;
    FreeState s = start;
    while (RangeRate(ephemeris, body, s) >= 0.0 && s.mjd - start.mjd < maxDays)
        s = Advance(gravity, s, chunk);
    while (s.mjd - start.mjd < maxDays) {
        FreeState next = Advance(gravity, s, chunk);
        if (RangeRate(ephemeris, body, next) >= 0.0) break;
        s = next;
    }
    const FreeState before = s;
    // Bisection on the range rate inside the last chunk.
    double low = 0.0, high = chunk;
    while (high - low > 1e-3) {
        const double mid = 0.5 * (low + high);
        if (RangeRate(ephemeris, body, Advance(gravity, before, mid)) < 0.0)
            low = mid;
        else
            high = mid;
    }
    const FreeState at = Advance(gravity, before, 0.5 * (low + high));
    Periapsis p;
    p.mjd = at.mjd;
    p.relativePosition = BodyRelative(ephemeris, body, at, &p.relativeVelocity);
    return p;
}

std::string ScenarioText(const sim::SolarSystemEphemeris &ephemeris, const std::string &description,
                         const FreeState &start, const std::vector<ScenarioVessel> &onState,
                         const std::string &focus, const std::string &otherBlocks) {
    VECTOR3 sunPos, sunVel;
    ephemeris.state(sim::BodyId::Sun, start.mjd, sunPos, sunVel);
    const VECTOR3 rpos = start.position - sunPos, rvel = start.velocity - sunVel;
    char environment[512];
    std::snprintf(environment, sizeof(environment),
                  "END_DESC\n\n"
                  "BEGIN_ENVIRONMENT\n"
                  "  System Sol\n"
                  "  Date MJD %.6f\n"
                  "END_ENVIRONMENT\n\n"
                  "BEGIN_FOCUS\n"
                  "  Ship %s\n"
                  "END_FOCUS\n\n"
                  "BEGIN_SHIPS\n",
                  start.mjd, focus.c_str());
    std::string text = "BEGIN_DESC\n" + description + environment;
    for (const ScenarioVessel &vessel : onState) text += VesselBlock(vessel, rpos, rvel);
    return text + otherBlocks + "END_SHIPS\n";
}

}  // namespace arrival_design
