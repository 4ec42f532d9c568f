#include "EarthReturn.h"

#include <cstdio>

#include "ConsoleScenario.h"
#include "HyperbolicPass.h"

namespace earth_return {

namespace {

// Heliocentric state of the Earth.
void EarthAboutSun(const sim::SolarSystemEphemeris &ephemeris, double mjd, VECTOR3 &pos, VECTOR3 &vel) {
    VECTOR3 sunPos, sunVel;
    ephemeris.state(sim::BodyId::Earth, mjd, pos, vel);
    ephemeris.state(sim::BodyId::Sun, mjd, sunPos, sunVel);
    pos -= sunPos;
    vel -= sunVel;
}

}  // namespace

VECTOR3 ExcessVelocity(const sim::SolarSystemEphemeris &ephemeris, const Design &design) {
    VECTOR3 pos, vel;
    EarthAboutSun(ephemeris, design.periapsisMjd, pos, vel);
    const VECTOR3 along = unit(vel);
    const VECTOR3 north = _V(0.0, 1.0, 0.0);
    VECTOR3 inward = pos * -1.0;
    inward = unit(inward - along * dotp(inward, along) - north * dotp(inward, north));
    return along * design.excessAlong + inward * design.excessInward + north * design.excessNorth;
}

FreeState DesignStart(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                      const Design &design) {
    const double gmEarth = sim::bodyConstants(sim::BodyId::Earth).gm;
    VECTOR3 earthPos, earthVel;
    ephemeris.state(sim::BodyId::Earth, design.periapsisMjd, earthPos, earthVel);
    const arrival_design::RelativeState pass = arrival_design::HyperbolicPeriapsis(
        gmEarth, ExcessVelocity(ephemeris, design), design.periapsisRadius, design.sideAngle);
    const FreeState atPeriapsis = {design.periapsisMjd, earthPos + pass.position, earthVel + pass.velocity};
    return arrival_design::Advance(gravity, atPeriapsis, -design.daysBefore * 86400.0);
}

Periapsis FindPeriapsis(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                        const FreeState &start, double maxDays) {
    return arrival_design::FindPeriapsis(ephemeris, gravity, sim::BodyId::Earth, start, maxDays);
}

std::string ScenarioText(const sim::SolarSystemEphemeris &ephemeris, const FreeState &start,
                         const Periapsis &periapsis, const std::vector<ScenarioVessel> &onState,
                         const std::string &focus, const std::string &otherBlocks) {
    const char *spacecraft = onState.empty() ? "" : onState.front().name.c_str();
    const double altitude =
        (length(periapsis.relativePosition) - sim::bodyConstants(sim::BodyId::Earth).meanRadius);
    char description[512];
    std::snprintf(description, sizeof(description),
                  "%s on its way back from Mars, %.1f days before its pass over the Earth\n"
                  "(periapsis about %.0f km up at MJD %.2f). PIE predicts the pass; PIE with mode 2\n"
                  "searches the correction that brings the periapsis down to the surface.\n",
                  spacecraft, periapsis.mjd - start.mjd, altitude / 1000.0, periapsis.mjd);
    return arrival_design::ScenarioText(ephemeris, description, start, onState, focus, otherBlocks);
}

std::string ReturnScenario(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity) {
    const Design design;
    const FreeState start = DesignStart(ephemeris, gravity, design);
    const Periapsis pass = FindPeriapsis(ephemeris, gravity, start, 40.0);
    return ScenarioText(ephemeris, start, pass, arrival_design::SpacecraftWithConsole(0.85), "OKUL",
                        arrival_design::RelayAboutMars());
}

}  // namespace earth_return
