// The input of the independent reference integration of a PIE prediction
// (reference/return_reference.py): the start state, the six checkpoint
// tables as built, and the Earth's ephemeris positions around the closest
// approach. All numbers are printed with 17 significant digits.
#pragma once

#include <cstdio>
#include <string>

#include "BodyEphemeris.h"
#include "PieProgram.h"

namespace return_reference {

template <typename... Values>
void Add(std::string &text, const char *format, Values... values) {
    char line[512];
    std::snprintf(line, sizeof(line), format, values...);
    text += line;
}

// The six tables as Build left them (before any StateAt).
inline std::string Tables(const PieProgram &pie) {
    std::string text;
    for (int body = 0; body < ReturnIntegrator::kBodyCount; ++body) {
        const CheckpointTable &table = pie.tables[body];
        Add(text, "table %s %.17g %d %.17g %.17g\n", ReturnIntegrator::BodyName(body),
            6.67259e-11 * table.mass, table.count, table.startMjd, table.step);
        for (int i = 0; i < table.count; ++i) {
            const OrbitRecord &r = table.records[i];
            Add(text, "%.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g\n", r.epoch, r.mu, r.position.x,
                r.position.y, r.position.z, r.velocity.x, r.velocity.y, r.velocity.z);
        }
    }
    return text;
}

// The whole input: the start and end of the prediction the program has just
// made, the tables, and the Earth every minute from an hour before to an
// hour after its closest approach.
inline std::string Input(const std::string &tables, const PieProgram &pie) {
    std::string text;
    Add(text, "start %.17g %.17g %.17g %.17g %.17g %.17g %.17g\n", pie.startMjd, pie.startPos.x,
        pie.startPos.y, pie.startPos.z, pie.startVel.x, pie.startVel.y, pie.startVel.z);
    Add(text, "end %.17g\n", pie.endMjd);
    text += tables;
    const double first = static_cast<long>(pie.closestMjd * 1440.0) / 1440.0 - 1.0 / 24.0;
    for (int k = 0; k <= 120; ++k) {
        const double mjd = first + k / 1440.0;
        const VECTOR3 earth = EphemerisPosition(mjd, "Earth");
        Add(text, "earth %.17g %.17g %.17g %.17g\n", mjd, earth.x, earth.y, earth.z);
    }
    return text;
}

}  // namespace return_reference
