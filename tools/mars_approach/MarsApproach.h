// Design of a Mars approach in the simulator's own gravity: a periapsis
// state over the console's PLM target point, carried back some days under
// every body's attraction, with a velocity offset that makes the uncorrected
// approach miss the target.
#pragma once

#include <OrbiterAPI.h>

#include <string>
#include <vector>

#include "ArrivalDesign.h"

namespace mars_approach {

// The PLM target over Mars.
const double kTargetLongitude = -177.84;  // degrees
const double kTargetLatitude = -10.22;    // degrees
const double kTargetRadius = 3359920.0;   // m
const double kTargetMjd = 43049.485;

struct Design {
    double periapsisMjd = kTargetMjd;
    double daysBefore = 20.0;
    double vInfinity = 2600.0;  // m/s, hyperbolic excess speed over Mars
    // Added to the start velocity after the backward integration [m/s].
    VECTOR3 velocityOffset = {{0.18, -0.10, 0.14}};
};

using arrival_design::FreeState;
using arrival_design::ScenarioVessel;

// Target point relative to Mars in ecliptic axes at the date, through the
// planet's orientation and rotation in the simulator (the conversion the
// console makes from the same figures).
VECTOR3 TargetVector(double mjd);

// Start state daysBefore days ahead of the designed periapsis.
FreeState DesignStart(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                      const Design &design);

struct Periapsis {
    double mjd;
    VECTOR3 relativePosition;  // spacecraft minus Mars, ecliptic axes
    VECTOR3 relativeVelocity;
    double targetMiss;  // distance to TargetVector(mjd) [m]
};

// Closest approach to Mars after the start, within maxDays, found by the
// simulator's gravity integration (refined to about a millisecond).
Periapsis FindPeriapsis(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                        const FreeState &start, double maxDays);

// Scenario text: the vessels on the start state (the first is the
// spacecraft; positions relative to the Sun), then otherBlocks verbatim
// (complete vessel blocks, each closed by END). focus names the focus vessel.
std::string ScenarioText(const sim::SolarSystemEphemeris &ephemeris, const FreeState &start,
                         const std::vector<ScenarioVessel> &onState, const std::string &focus,
                         const std::string &otherBlocks = "");

}  // namespace mars_approach
