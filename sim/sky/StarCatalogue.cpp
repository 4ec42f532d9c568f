#include "sky/StarCatalogue.h"

#include <cmath>
#include <sstream>

#include "bodies/SolarSystemEphemeris.h"

namespace sim {

namespace {

// The catalogue gives no colour index: every star is drawn in one slightly
// warm white.
constexpr std::uint32_t kStarColour = 0x00F4F0FF;

// A decimal number in fixed point ("-16.7161"): its digits as an integer
// divided by the power of ten, both exact, so that the one rounding is the
// division's, the same in every C library. False for anything else.
bool readFixed(const std::string &text, double &value) {
    std::size_t at = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        at = 1;
    }
    long long digits = 0;
    int count = 0, decimals = 0;
    bool point = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9' && count < 15) {
            digits = digits * 10 + (c - '0');
            ++count;
            decimals += point;
        } else {
            return false;
        }
    }
    if (count == 0) return false;
    double scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    value = (negative ? -double(digits) : double(digits)) / scale;
    return true;
}

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
        std::string words[3];
        double declination = 0, hours = 0, magnitude = 0;
        if (!(fields >> words[0] >> words[1] >> words[2]) || !readFixed(words[0], declination) ||
            !readFixed(words[1], hours) || !readFixed(words[2], magnitude) || std::fabs(declination) > 90 ||
            hours < 0 || hours >= 24) {
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
