#include "sky/StarCatalogue.h"

#include <cmath>
#include <sstream>

#include "bodies/SolarSystemEphemeris.h"

namespace sim {

namespace {

// The catalogue gives no colour index: every star is drawn in one slightly
// warm white.
constexpr std::uint32_t kStarColour = 0x00F4F0FF;

}  // namespace

VECTOR3 starDirection(double rightAscension, double declination) {
    const double c = std::cos(declination);
    return unit(
        icrsToGlobal(_V(c * std::cos(rightAscension), c * std::sin(rightAscension), std::sin(declination))));
}

bool readStarCatalogue(std::istream &in, std::vector<Star> &stars, std::string &error) {
    stars.clear();
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        std::istringstream fields(line);
        double declination = 0, hours = 0, magnitude = 0;
        if (!(fields >> declination >> hours >> magnitude) || std::fabs(declination) > 90 || hours < 0 ||
            hours >= 24 || !std::isfinite(magnitude)) {
            error =
                "line " + std::to_string(number) + ": expected declination, right ascension and magnitude";
            return false;
        }
        stars.push_back(Star{starDirection(hours * 15 * RAD, declination * RAD), magnitude, kStarColour});
    }
    if (stars.empty()) {
        error = "no stars";
        return false;
    }
    return true;
}

}  // namespace sim
