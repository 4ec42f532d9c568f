// Reading the star table's lines, turning J2000 positions into the global
// frame and colour indices into colours.
#include "sky/StarCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

constexpr double kObliquity = 84381.406 / 3600;  // degrees, IAU 2006

void expectNear(const VECTOR3 &actual, const VECTOR3 &expected, double tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace

TEST(StarDirection, EquinoxPoleAndSolsticeLandOnTheGlobalAxes) {
    // The vernal equinox is the x axis.
    expectNear(sim::starDirection(0, 0), _V(1, 0, 0), 1e-6);
    // The celestial north pole leans from ecliptic north (y) towards the
    // solstice (the third axis) by the obliquity.
    const double e = kObliquity * RAD;
    expectNear(sim::starDirection(0, PI / 2), _V(0, std::cos(e), std::sin(e)), 1e-6);
    // RA 6 h on the equator: the summer solstice's side, tilted south.
    expectNear(sim::starDirection(PI / 2, 0), _V(0, -std::sin(e), std::cos(e)), 1e-6);
    // Ecliptic north itself: RA 18 h, Dec 90 - obliquity.
    expectNear(sim::starDirection(1.5 * PI, (90 - kObliquity) * RAD), _V(0, 1, 0), 1e-6);
}

TEST(StarCatalogue, ReadsStarsAndSkipsComments) {
    std::istringstream in(
        "# From the Bright Star Catalogue\n"
        "\n"
        "#    Dec      RA   Mag   B-V    HR\n"
        "-16.7161  6.7525 -1.46  0.00  2491\n"
        " 89.2642  2.5303  2.02  0.64   424\r\n");
    std::vector<sim::Star> stars;
    std::string error;
    ASSERT_TRUE(sim::readStarCatalogue(in, stars, error)) << error;
    ASSERT_EQ(stars.size(), 2u);
    // The numbers exactly as a correctly rounding reader gives them.
    EXPECT_EQ(stars[0].magnitude, -1.46);
    EXPECT_EQ(stars[1].magnitude, 2.02);
    EXPECT_EQ(stars[0].colourIndex, 0.0);
    EXPECT_EQ(stars[1].colourIndex, 0.64);
    EXPECT_EQ(stars[1].colour, sim::starColour(0.64));
    expectNear(stars[0].direction, sim::starDirection(6.7525 * 15 * RAD, -16.7161 * RAD), 1e-15);
    // Polaris: within a degree of the celestial pole.
    const VECTOR3 pole = sim::starDirection(0, PI / 2);
    EXPECT_GT(dotp(stars[1].direction, pole), std::cos(1 * RAD));
}

TEST(StarCatalogue, RefusesWhatIsNotACatalogue) {
    const struct {
        const char *text;
        int line;  // the line refused; 0 for no stars at all
    } cases[] = {
        {"# only comments\n", 0},
        {"", 0},
        {"-16.7 6.75 -1.46 0.0 1\n<html>\n", 2},
        {"95.0 6.75 1.0 0.0\n", 1},
        {"10.0 24.0 1.0 0.0\n", 1},
        {"10.0 1.0 nan 0.0\n", 1},
        {"10.0 1.0 1e1 0.0\n", 1},
        {"10.0 1.0 - 0.0\n", 1},
        {"1.0.0 1.0 1.0 0.0\n", 1},
        // xplanet's catalogue itself, without the colour index.
        {"-16.7161  6.7525 -1.46 \"  9Alp CMa\" 2491  48915 151881\n", 1},
        {"10.0 1.0 1.0\n", 1},
        {"10.0 1.0 1.0 -0.51\n", 1},
        {"10.0 1.0 1.0 3.51\n", 1},
    };
    for (const auto &c : cases) {
        std::istringstream in(c.text);
        std::vector<sim::Star> stars;
        std::string error;
        EXPECT_FALSE(sim::readStarCatalogue(in, stars, error)) << c.text;
        EXPECT_EQ(error, c.line == 0 ? "no stars"
                                     : "line " + std::to_string(c.line) +
                                           ": expected declination, right ascension, magnitude and B-V (-0.5 "
                                           "to 3.5)")
            << c.text;
    }
}

TEST(StarColour, FollowsTheColourIndexFromRedToBlue) {
    auto red = [](std::uint32_t c) { return int(c >> 16 & 0xFF); };
    auto green = [](std::uint32_t c) { return int(c >> 8 & 0xFF); };
    auto blue = [](std::uint32_t c) { return int(c & 0xFF); };
    // Ballesteros' temperatures: B-V +1.50, 3,794 K (Betelgeuse); -0.03,
    // 10,516 K (Rigel); 0.65, 5,778 K (the Sun); each between two knots of
    // the black body's colours.
    EXPECT_EQ(sim::starColour(1.50), 0xFFC99Cu);
    EXPECT_EQ(sim::starColour(-0.03), 0xC7D8FFu);
    EXPECT_EQ(sim::starColour(0.65), 0xFFF2E6u);
    // White about 6,600 K.
    EXPECT_EQ(sim::starColour(0.45), 0xFEFEFFu);
    // From B-V -0.4 to +2.0 red falls and blue rises, each step at most a
    // little; the brightest channel stays full.
    for (int i = -40; i < 200; ++i) {
        const std::uint32_t bluer = sim::starColour(i / 100.0), redder = sim::starColour((i + 1) / 100.0);
        EXPECT_LE(red(bluer), red(redder)) << i;
        EXPECT_GE(blue(bluer), blue(redder)) << i;
        EXPECT_LE(std::abs(green(bluer) - green(redder)), 3) << i;
        EXPECT_EQ(std::max(red(redder), blue(redder)), 255) << i;
    }
    // Beyond, the ends' colours.
    EXPECT_EQ(sim::starColour(-0.5), sim::starColour(-0.4));
    EXPECT_EQ(sim::starColour(3.5), sim::starColour(2.0));
    // Two decimals, whichever way the double rounds.
    EXPECT_EQ(sim::starColour(1.52), sim::starColour(1.5199999999999));
    EXPECT_EQ(sim::starColour(1.52), sim::starColour(1.5200000000001));
}
