// What a vessel will do if nothing acts on it but gravity: its path about a
// body and its next periapsis there, found by carrying a copy of its state
// with the simulator's own gravity integration. An attached vessel moves
// with the vessel at the top of its stack.
#pragma once

#include <OrbiterAPI.h>

#include <vector>

class Vessel;  // the simulator's vessel object (VesselAPI.h)

namespace sim {

class Simulation;
class Body;

struct PredictedPeriapsis {
    bool found = false;  // false: no closest approach within the time searched
    double mjd = 0.0;
    VECTOR3 position{};  // relative to the body, global axes
    VECTOR3 velocity{};
    double radius = 0.0;     // m
    double longitude = 0.0;  // rad, over the rotating body
    double latitude = 0.0;   // rad
};

// The next closest approach to the body within maxDays from now (refined to
// about a millisecond). A vessel on its way out first passes its farthest
// point. The point mass lets a path through the body go on, so an entry
// aimed below the surface shows where it is aimed.
PredictedPeriapsis predictPeriapsis(const Simulation &simulation, const Vessel &vessel, const Body &body,
                                    double maxDays);

// The periapsis of the two-body orbit about the body through the vessel's
// present state (where it would pass if only that body pulled it).
PredictedPeriapsis osculatingPeriapsis(const Simulation &simulation, const Vessel &vessel, const Body &body);

// Points of the path relative to the body (global axes) from now over
// `days` (negative: the path behind): at least `count` of them, closer in
// time where the path passes near the body.
std::vector<VECTOR3> predictPath(const Simulation &simulation, const Vessel &vessel, const Body &body,
                                 double days, int count);

}  // namespace sim
