// Design of the return to Earth from Mars in the simulator's own gravity: a
// hyperbolic pass over the Earth a few thousand kilometres up, carried back
// some thirty days under every body's attraction.
#pragma once

#include <OrbiterAPI.h>

#include <string>
#include <vector>

#include "ArrivalDesign.h"

namespace earth_return {

using arrival_design::FreeState;
using arrival_design::Periapsis;
using arrival_design::ScenarioVessel;

struct Design {
    double periapsisMjd = 43640.3;
    double daysBefore = 30.0;
    double periapsisRadius = 12371000.0;  // m: 6,000 km up
    // Velocity relative to the Earth long before the pass [m/s], in the
    // Earth's orbital directions: along its heliocentric velocity, toward the
    // Sun, toward the ecliptic north. A transfer from Mars meets the Earth
    // near its own perihelion, faster than the Earth and falling slightly
    // inward.
    double excessAlong = 2900.0;
    double excessInward = 900.0;
    double excessNorth = 300.0;
    double sideAngle = 0.6;  // rad, side of the Earth the pass goes by
};

// The designed excess velocity in ecliptic axes.
VECTOR3 ExcessVelocity(const sim::SolarSystemEphemeris &ephemeris, const Design &design);

// Start state daysBefore days ahead of the designed periapsis.
FreeState DesignStart(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                      const Design &design);

// Closest approach to the Earth after the start, within maxDays, in the
// simulator's gravity.
Periapsis FindPeriapsis(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                        const FreeState &start, double maxDays);

// Scenario text: the vessels on the start state (the first is the
// spacecraft), then otherBlocks verbatim; focus names the focus vessel.
std::string ScenarioText(const sim::SolarSystemEphemeris &ephemeris, const FreeState &start,
                         const Periapsis &periapsis, const std::vector<ScenarioVessel> &onState,
                         const std::string &focus, const std::string &otherBlocks = "");

// The scenario file "earth_return.scn": TAVR-12 on the designed start state
// holding its +y axis toward the Earth (mode 0), the console on its point 0
// (configuration 1), and the relay K12 Orbiter on its 10,000 km circular
// orbit about Mars.
std::string ReturnScenario(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity);

}  // namespace earth_return
