// The standard lines of a vessel's scenario block, which the simulator reads
// and writes for every vessel (a module passes the lines it does not handle
// to the default parser and lets the default clbkSaveState write them):
//
//   STATUS Orbiting|Landed <body>
//   RPOS x y z / RVEL x y z        m and m/s relative to the body, global axes
//   POS lon lat / HEADING h        degrees, landed vessels
//   AROT a b c                     degrees
//   ATTACHED <child point>:<parent point>,<parent name>
//   PRPLEVEL <tank>:<level> ...
//
// Other lines (VROT, FUEL, NAVFREQ, ...) are accepted and ignored.
#pragma once

#include <OrbiterAPI.h>

#include <string>
#include <utility>
#include <vector>

namespace sim {

// What a vessel's standard lines say; the `status` of clbkLoadStateEx.
struct ScenarioStatus {
    std::string body = "";  // STATUS Orbiting|Landed <body>
    bool landed = false;
    bool hasStatus = false;
    VECTOR3 rpos{}, rvel{}, arot{};
    double longitude = 0, latitude = 0, heading = 0;  // degrees, landed only
    std::vector<std::pair<int, double>> propellantLevels;
    bool attached = false;
    int childPoint = 0, parentPoint = 0;
    std::string parentName;
    std::string error;  // the first malformed standard line
};

// Reads one line into the status; a malformed standard line (too few numbers,
// or one that is not finite) sets status.error (the first one only).
void parseStandardLine(const char *line, ScenarioStatus &status);

// The standard lines for a vessel in that state (levels in tank order), each
// with its two leading blanks.
std::vector<std::string> standardLines(const ScenarioStatus &state, const std::vector<double> &levels);

}  // namespace sim
