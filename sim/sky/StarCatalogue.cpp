#include "sky/StarCatalogue.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "bodies/SolarSystemEphemeris.h"

namespace sim {

namespace {

// A black body's colour at full brightness by temperature (Tanner Helland's
// fit to Mitchell Charity's table of black-body colours in sRGB), between
// which starColour interpolates linearly.
struct Knot {
    int kelvin;
    int red, green, blue;
};
constexpr Knot kBlackBody[] = {
    {3000, 255, 177, 110},  {3500, 255, 193, 141},  {4000, 255, 206, 166},  {4500, 255, 218, 187},
    {5000, 255, 228, 206},  {5500, 255, 237, 222},  {6000, 255, 246, 237},  {6500, 255, 254, 250},
    {6600, 255, 255, 255},  {7000, 243, 242, 255},  {8000, 221, 230, 255},  {9000, 210, 223, 255},
    {10000, 202, 218, 255}, {12000, 191, 211, 255}, {14000, 184, 207, 255}, {17000, 176, 202, 255},
    {22000, 168, 196, 255},
};

// The colour index's range, in hundredths, over which Ballesteros' formula
// holds and starColour distinguishes colours.
constexpr int kBluest = -40, kReddest = 200;

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

std::uint32_t starColour(double bv) {
    // In hundredths: the table's two decimals, rounded the same whatever the
    // double's last bit.
    const int index = std::max(kBluest, std::min(kReddest, int(std::floor(bv * 100 + 0.5))));
    // T = 4600 (1 / a + 1 / b) with a and b in ten-thousandths, to the
    // nearest kelvin.
    const std::int64_t a = 92 * index + 17000, b = 92 * index + 6200;
    const std::int64_t kelvin = (2 * 46000000 * (a + b) + a * b) / (2 * a * b);
    const std::size_t count = sizeof kBlackBody / sizeof kBlackBody[0];
    std::size_t upper = 1;
    while (upper + 1 < count && kBlackBody[upper].kelvin < kelvin) ++upper;
    const Knot &low = kBlackBody[upper - 1], &high = kBlackBody[upper];
    const std::int64_t span = high.kelvin - low.kelvin;
    const std::int64_t along = std::max<std::int64_t>(0, std::min(span, kelvin - low.kelvin));
    // Each channel between its two knots, rounded to the nearest; both
    // ends are non-negative, and so is the sum.
    auto channel = [&](int from, int to) {
        const std::int64_t sum = from * (span - along) + to * along;
        return unsigned((2 * sum + span) / (2 * span));
    };
    return std::uint32_t(channel(low.red, high.red)) << 16 |
           std::uint32_t(channel(low.green, high.green)) << 8 | std::uint32_t(channel(low.blue, high.blue));
}

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
        std::string words[4];
        double declination = 0, hours = 0, magnitude = 0, bv = 0;
        if (!(fields >> words[0] >> words[1] >> words[2] >> words[3]) || !readFixed(words[0], declination) ||
            !readFixed(words[1], hours) || !readFixed(words[2], magnitude) || !readFixed(words[3], bv) ||
            std::fabs(declination) > 90 || hours < 0 || hours >= 24 || bv < -0.5 || bv > 3.5) {
            error = "line " + std::to_string(number) +
                    ": expected declination, right ascension, magnitude and B-V (-0.5 to 3.5)";
            return false;
        }
        stars.push_back(
            Star{starDirection(hours * 15 * RAD, declination * RAD), magnitude, bv, starColour(bv)});
    }
    if (stars.empty()) {
        error = "no stars";
        return false;
    }
    return true;
}

}  // namespace sim
