// Reading the Bright Star Catalogue's lines and turning J2000 positions into
// the global frame.
#include "sky/StarCatalogue.h"

#include <gtest/gtest.h>

#include <cmath>
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
        "#    Dec      RA   Mag         Name  BSN     HD    SAO\n"
        "-16.7161  6.7525 -1.46 \"  9Alp CMa\" 2491  48915 151881\n"
        " 89.2642  2.5303  2.02 \"  1Alp UMi\"  424   8890    308\r\n");
    std::vector<sim::Star> stars;
    std::string error;
    ASSERT_TRUE(sim::readStarCatalogue(in, stars, error)) << error;
    ASSERT_EQ(stars.size(), 2u);
    // The numbers exactly as a correctly rounding reader gives them.
    EXPECT_EQ(stars[0].magnitude, -1.46);
    EXPECT_EQ(stars[1].magnitude, 2.02);
    expectNear(stars[0].direction, sim::starDirection(6.7525 * 15 * RAD, -16.7161 * RAD), 1e-15);
    // Polaris: within a degree of the celestial pole.
    const VECTOR3 pole = sim::starDirection(0, PI / 2);
    EXPECT_GT(dotp(stars[1].direction, pole), std::cos(1 * RAD));
}

TEST(StarCatalogue, RefusesWhatIsNotACatalogue) {
    const struct {
        const char *text;
        const char *error;
    } cases[] = {
        {"# only comments\n", "no stars"},
        {"", "no stars"},
        {"-16.7 6.75 -1.46 \"a\"\n<html>\n", "line 2: expected declination, right ascension and magnitude"},
        {"95.0 6.75 1.0\n", "line 1: expected declination, right ascension and magnitude"},
        {"10.0 24.0 1.0\n", "line 1: expected declination, right ascension and magnitude"},
        {"10.0 1.0 nan\n", "line 1: expected declination, right ascension and magnitude"},
        {"10.0 1.0 1e1\n", "line 1: expected declination, right ascension and magnitude"},
        {"10.0 1.0 -\n", "line 1: expected declination, right ascension and magnitude"},
        {"1.0.0 1.0 1.0\n", "line 1: expected declination, right ascension and magnitude"},
    };
    for (const auto &c : cases) {
        std::istringstream in(c.text);
        std::vector<sim::Star> stars;
        std::string error;
        EXPECT_FALSE(sim::readStarCatalogue(in, stars, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}
