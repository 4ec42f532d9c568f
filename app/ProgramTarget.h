// The target point of the last trajectory program run, read from what the
// programs print on the console's terminal, as its user reads it: PLM's
// periapsis lines ("T ... (MJD) R ..." and "Д ... Ш ... В ... км"), PIE's
// ("REZ=MJD ... R ... км" and "REZ=Д ... Ш ... Выс ...") and PLE's "Tar="
// line. The terminal puts the newest line on top.
#pragma once

#include <string>
#include <vector>

namespace okulsim {

struct ProgramTarget {
    std::string program;  // "PLM", "PIE", "PLE"
    std::string body;     // the body its point lies over
    double mjd = 0.0;
    double radiusKm = 0.0;  // from the body's centre
    double longitudeDeg = 0.0, latitudeDeg = 0.0;
};

// The newest program result among `lines` (UTF-8, newest first); false when
// there is none.
bool findProgramTarget(const std::vector<std::string> &lines, ProgramTarget &target);

}  // namespace okulsim
