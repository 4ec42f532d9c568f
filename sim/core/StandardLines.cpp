#include "core/StandardLines.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "core/TextLines.h"

namespace sim {

void parseStandardLine(const char *rawLine, ScenarioStatus &status) {
    if (!rawLine) return;
    const std::string line = trim(rawLine);
    const std::vector<std::string> words = splitWords(line);
    if (words.empty()) return;
    const std::string &key = words[0];
    auto fail = [&](const char *what) {
        if (status.error.empty()) status.error = std::string("malformed ") + what + " line \"" + line + "\"";
    };
    // Numbers must be numbers: "nan" and "inf" (which sscanf takes) and
    // values beyond the range of a double are malformed too.
    auto finite = [](std::initializer_list<double> values) {
        for (double value : values)
            if (!std::isfinite(value)) return false;
        return true;
    };
    auto readVector = [&](VECTOR3 &v, const char *what) {
        if (std::sscanf(line.c_str() + key.size(), "%lf %lf %lf", &v.x, &v.y, &v.z) != 3 ||
            !finite({v.x, v.y, v.z}))
            fail(what);
    };
    if (equalsIgnoreCase(key, "STATUS")) {
        if (words.size() < 3 ||
            !(equalsIgnoreCase(words[1], "Orbiting") || equalsIgnoreCase(words[1], "Landed"))) {
            fail("STATUS");
            return;
        }
        status.hasStatus = true;
        status.landed = equalsIgnoreCase(words[1], "Landed");
        status.body = words[2];
    } else if (equalsIgnoreCase(key, "RPOS")) {
        readVector(status.rpos, "RPOS");
    } else if (equalsIgnoreCase(key, "RVEL")) {
        readVector(status.rvel, "RVEL");
    } else if (equalsIgnoreCase(key, "AROT")) {
        readVector(status.arot, "AROT");
    } else if (equalsIgnoreCase(key, "POS")) {
        if (std::sscanf(line.c_str() + 3, "%lf %lf", &status.longitude, &status.latitude) != 2 ||
            !finite({status.longitude, status.latitude}))
            fail("POS");
    } else if (equalsIgnoreCase(key, "HEADING")) {
        if (std::sscanf(line.c_str() + 7, "%lf", &status.heading) != 1 || !finite({status.heading}))
            fail("HEADING");
    } else if (equalsIgnoreCase(key, "ATTACHED")) {
        char parent[256] = {0};
        if (std::sscanf(line.c_str() + 8, " %d:%d,%255[^\n]", &status.childPoint, &status.parentPoint,
                        parent) != 3) {
            fail("ATTACHED");
            return;
        }
        status.attached = true;
        status.parentName = trim(parent);
    } else if (equalsIgnoreCase(key, "PRPLEVEL")) {
        for (size_t i = 1; i < words.size(); ++i) {
            int index;
            double level;
            if (std::sscanf(words[i].c_str(), "%d:%lf", &index, &level) != 2 || !finite({level})) {
                fail("PRPLEVEL");
                return;
            }
            status.propellantLevels.emplace_back(index, level);
        }
    }
}

std::vector<std::string> standardLines(const ScenarioStatus &state, const std::vector<double> &levels) {
    std::vector<std::string> lines;
    if (state.landed) {
        lines.push_back("  STATUS Landed " + state.body);
        lines.push_back(formatText("  POS %.7f %.7f", state.longitude, state.latitude));
        lines.push_back(formatText("  HEADING %.2f", state.heading));
    } else {
        lines.push_back("  STATUS Orbiting " + state.body);
        lines.push_back(formatText("  RPOS %.4f %.4f %.4f", state.rpos.x, state.rpos.y, state.rpos.z));
        lines.push_back(formatText("  RVEL %.6f %.6f %.6f", state.rvel.x, state.rvel.y, state.rvel.z));
    }
    lines.push_back(formatText("  AROT %.6f %.6f %.6f", state.arot.x, state.arot.y, state.arot.z));
    if (state.attached)
        lines.push_back(formatText("  ATTACHED %u:%u,%s", unsigned(state.childPoint),
                                   unsigned(state.parentPoint), state.parentName.c_str()));
    if (!levels.empty()) {
        std::string line = "  PRPLEVEL";
        for (size_t i = 0; i < levels.size(); ++i) line += formatText(" %u:%.6f", unsigned(i), levels[i]);
        lines.push_back(line);
    }
    return lines;
}

}  // namespace sim
