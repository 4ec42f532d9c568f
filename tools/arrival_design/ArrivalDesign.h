// Building blocks of the scenario tools that design an arrival at a body in
// the simulator's own gravity: free states carried forward or back under
// every body's attraction, the closest approach to a body, and the text of a
// scenario that puts vessels on a designed state.
#pragma once

#include <OrbiterAPI.h>

#include <string>
#include <vector>

#include "bodies/BodyId.h"
#include "bodies/SolarSystemEphemeris.h"
#include "core/GravityModel.h"

namespace arrival_design {

// Global (barycentric) state of a free spacecraft.
struct FreeState {
    double mjd;
    VECTOR3 position, velocity;
};

// The state carried over `seconds` (negative: backwards) by the simulator's
// gravity integration.
FreeState Advance(const sim::GravityModel &gravity, FreeState state, double seconds);

// Position (and, when asked, velocity) of the state relative to a body.
VECTOR3 BodyRelative(const sim::SolarSystemEphemeris &ephemeris, sim::BodyId body, const FreeState &state,
                     VECTOR3 *relativeVelocity = nullptr);

struct Periapsis {
    double mjd;
    VECTOR3 relativePosition;  // spacecraft minus body, ecliptic axes
    VECTOR3 relativeVelocity;
};

// Closest approach to the body after the start, within maxDays, found by the
// simulator's gravity integration (refined to about a millisecond). Without
// one within maxDays, the state at maxDays.
Periapsis FindPeriapsis(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                        sim::BodyId body, const FreeState &start, double maxDays);

// A vessel placed on the spacecraft's state in a scenario.
struct ScenarioVessel {
    std::string name, className;
    std::string extraLines;  // its own scenario lines, each ending in a line feed
};

// Scenario text: the description (lines ending in a line feed), the date of
// the start state, the vessels on that state (positions relative to the
// Sun), then otherBlocks verbatim (complete vessel blocks, each closed by END).
// focus names the focus vessel.
std::string ScenarioText(const sim::SolarSystemEphemeris &ephemeris, const std::string &description,
                         const FreeState &start, const std::vector<ScenarioVessel> &onState,
                         const std::string &focus, const std::string &otherBlocks = "");

}  // namespace arrival_design
