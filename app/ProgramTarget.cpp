#include "ProgramTarget.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace okulsim {

namespace {

// A program's periapsis is printed on one line or two; the other line lies
// within this many lines (its result lines are printed together).
const std::size_t kCompanionReach = 4;

// The formats the programs print (the numbers read, the rest matched).
bool plmTime(const std::string &line, double &mjd, double &radius) {
    double seconds = 0.0, speed = 0.0;
    return std::sscanf(line.c_str(), "T %lf (%lf) R %lf V %lf", &seconds, &mjd, &radius, &speed) == 4;
}
bool plmPoint(const std::string &line, double &longitude, double &latitude) {
    double height = 0.0;
    return std::sscanf(line.c_str(), "Д %lf Ш %lf В %lf км", &longitude, &latitude, &height) == 3;
}
bool pieTime(const std::string &line, double &mjd, double &radius) {
    return std::sscanf(line.c_str(), "REZ=MJD %lf R %lf км", &mjd, &radius) == 2;
}
bool piePoint(const std::string &line, double &longitude, double &latitude) {
    double height = 0.0;
    return std::sscanf(line.c_str(), "REZ=Д %lf Ш %lf Выс %lf", &longitude, &latitude, &height) == 3;
}
bool pleTarget(const std::string &line, ProgramTarget &target) {
    double seconds = 0.0, speed = 0.0, inclination = 0.0;
    return std::sscanf(line.c_str(), "Tar= MJD%lf dT %lf R %lf V %lf ЭкН %lfД %lf Ш %lf", &target.mjd,
                       &seconds, &target.radiusKm, &speed, &inclination, &target.longitudeDeg,
                       &target.latitudeDeg) == 7;
}

using TimeLine = bool (*)(const std::string &, double &, double &);
using PointLine = bool (*)(const std::string &, double &, double &);

// A two-line result whose point line is `at`: its time line nearby.
bool twoLines(const std::vector<std::string> &lines, std::size_t at, TimeLine time, PointLine point,
              ProgramTarget &target) {
    if (!point(lines[at], target.longitudeDeg, target.latitudeDeg)) return false;
    const std::size_t from = at > kCompanionReach ? at - kCompanionReach : 0;
    for (std::size_t i = from; i < lines.size() && i <= at + kCompanionReach; ++i)
        if (i != at && time(lines[i], target.mjd, target.radiusKm)) return true;
    return false;
}

}  // namespace

bool findProgramTarget(const std::vector<std::string> &lines, ProgramTarget &target) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ProgramTarget found;
        if (twoLines(lines, i, plmTime, plmPoint, found))
            found.program = "PLM", found.body = "Mars";
        else if (twoLines(lines, i, pieTime, piePoint, found))
            found.program = "PIE", found.body = "Earth";
        else if (pleTarget(lines[i], found))
            found.program = "PLE", found.body = "Earth";
        else
            continue;
        if (!std::isfinite(found.mjd) || !std::isfinite(found.radiusKm) ||
            !std::isfinite(found.longitudeDeg) || !std::isfinite(found.latitudeDeg))
            continue;
        target = found;
        return true;
    }
    return false;
}

}  // namespace okulsim
