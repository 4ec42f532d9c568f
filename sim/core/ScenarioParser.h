// Reading a scenario file into a description of the world it sets up: the
// free text, the date, the focus vessel and every vessel's block of lines.
// The simulation turns the description into bodies and vessels; the
// vessels' own lines are read by their modules (or by the standard line
// parser, StandardLines.h).
//
//   BEGIN_DESC ... END_DESC            free text, kept for saving
//   BEGIN_ENVIRONMENT                  System Sol, Date MJD <number>
//   BEGIN_FOCUS                        Ship <name>
//   BEGIN_SHIPS                        <name>:<class>, its lines, END ... END_SHIPS
//   any other BEGIN_x ... END_x        accepted and not read
//
// Blank lines and lines starting with ';' are skipped outside the
// description. Errors name the file and line.
#pragma once

#include <string>
#include <vector>

namespace sim {

struct ScenarioDescription {
    struct Vessel {
        std::string name, className;
        std::vector<std::string> lines;  // as in the file, between the name line and END
        int firstLine = 0;               // line number of the name line
    };

    std::string description;  // the BEGIN_DESC text, each line ending in a line feed
    double mjd = 0.0;
    int dateLine = 0;       // line number of the "Date MJD" line
    std::string focusName;  // empty: the first vessel
    std::vector<Vessel> vessels;
};

// False with a message ("path:line: ..." or "path: ...") for a file that
// cannot be read, a malformed or unknown line, a section left open, no date
// or no vessels.
bool readScenario(const std::string &path, ScenarioDescription &scenario, std::string &error);

// "path:line: ", the start of a message about a line of a file.
std::string fileLocation(const std::string &path, int line);

}  // namespace sim
