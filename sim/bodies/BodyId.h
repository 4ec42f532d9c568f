// The bodies of the simulated solar system and their physical constants.
#pragma once

namespace sim {

enum class BodyId : int { Sun, Mercury, Venus, Earth, Moon, Mars, Jupiter, Saturn };

constexpr int kBodyCount = 8;

struct BodyConstants {
    const char *name;   // the body's name as scenarios and modules spell it
    double gm;          // gravitational parameter [m^3/s^2]
    double meanRadius;  // [m]
    BodyId parent;      // body the ephemeris module answers relative to
};

const BodyConstants &bodyConstants(BodyId id);

}  // namespace sim
