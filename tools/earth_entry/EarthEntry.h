// Design of an Earth arrival in the simulator's own gravity whose entry lies
// on the console's PLE target: the approach direction and speed are chosen,
// the target ground point on the landing-site latitude and its date follow
// from them the way the program defines its target, and the periapsis state
// belonging to it is carried back some days under every body's attraction.
// A velocity offset then makes the uncorrected entry miss the target.
//
// The target is worked out here from the design's own construction (the
// landing-site latitude circle met by the cone about the approach
// direction, the rotation of the Earth in the simulator), not with the
// program's code, so that the program can be checked against it.
#pragma once

#include <OrbiterAPI.h>

#include <string>
#include <vector>

#include "ArrivalDesign.h"

namespace earth_entry {

using arrival_design::FreeState;
using arrival_design::ScenarioVessel;

struct Design {
    double startMjd = 43537.0;          // 29 January 1978
    double wantedArrivalMjd = 43555.3;  // the fitting target nearest to it is taken
    double vInfinity = 3400.0;          // m/s, hyperbolic excess speed over the Earth
    // Approach direction (the arriving velocity relative to the Earth) in the
    // Earth's orbital axes: along its heliocentric velocity, toward the Sun,
    // toward ecliptic north.
    VECTOR3 approachAxes = {{0.85, 0.45, 0.15}};
    // Added to the start velocity after the backward integration [m/s].
    VECTOR3 velocityOffset = {{1.2, -0.8, 1.0}};
};

// The targeted periapsis and the entry belonging to it.
struct Target {
    VECTOR3 approachDirection;  // unit, ecliptic axes
    double groundMjd;           // the landing site passes under the target ground point
    VECTOR3 groundPoint;        // Earth-relative, ecliptic axes, on the ground radius
    double entryToPeriapsis;    // s
    double periapsisMjd;
    VECTOR3 periapsisPosition;  // Earth-relative, ecliptic axes
    VECTOR3 periapsisVelocity;
};

// Throws std::runtime_error when the landing-site latitude is out of reach
// of the approach or no target date lies within five days of the wanted one.
Target DesignTarget(const sim::SolarSystemEphemeris &ephemeris, const Design &design);

// The start state at design.startMjd: the target's periapsis state carried
// back, with the velocity offset added.
FreeState DesignStart(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                      const Design &design, const Target &target);

struct Arrival {
    // The closest approach to the Earth's centre in the simulator's gravity
    // (the stand-in lets the spacecraft fly through the planet).
    double closestMjd;
    VECTOR3 closestPosition;
    // The osculating periapsis about the Earth of the state it is seen from.
    double osculatingMjd;
    VECTOR3 osculatingPosition;
};

// Both periapsis figures as seen from a state near the Earth: the osculating
// periapsis of the state itself, and the closest approach flown from it
// within maxDays.
Arrival ArrivalSeenFrom(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                        const FreeState &state, double maxDays);

// The same seen from the state of the flight from start an hour before its
// closest approach.
Arrival FindArrival(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                    const FreeState &start, double maxDays);

// Scenario text with the description of the arrival.
std::string ScenarioText(const sim::SolarSystemEphemeris &ephemeris, const FreeState &start,
                         const Target &target, const std::vector<ScenarioVessel> &onState,
                         const std::string &focus, const std::string &otherBlocks = "");

}  // namespace earth_entry
