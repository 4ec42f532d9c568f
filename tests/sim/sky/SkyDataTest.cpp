// The installation's sky: read whole, and a missing piece named at start-up.
#include "sky/SkyData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "TemporaryFolder.h"
#include "TestInstallation.h"
#include "core/Simulation.h"

namespace fs = std::filesystem;

TEST(SkyData, TheBuildsSkyHasEveryMapAndTheCatalogue) {
    std::string error;
    const auto sky = sim::loadSkyData(std::string(OKUL_ROOT_DIR) + "/Config/Sky", error);
    ASSERT_NE(sky, nullptr) << error;
    for (int i = 0; i < sim::kBodyCount; ++i) EXPECT_FALSE(sky->maps[std::size_t(i)].empty()) << i;
    EXPECT_FALSE(sky->earthNight.empty());
    // Mars is red, the night Earth mostly black.
    const sim::Colour mars = sky->map(sim::BodyId::Mars).mean();
    EXPECT_GT(mars.r, 1.5 * mars.b);
    EXPECT_LT(sky->earthNight.mean().r, 40);
}

TEST(SkyData, TheBuildsStarsHaveTheirHipparcosColours) {
    std::string error;
    const auto sky = sim::loadSkyData(std::string(OKUL_ROOT_DIR) + "/Config/Sky", error);
    ASSERT_NE(sky, nullptr) << error;
    // SIMBAD's J2000 positions; the Hipparcos catalogue's B-V, which the
    // table has to half the step of its source's byte, 4/127, and two
    // decimals.
    const struct {
        const char *name;
        double hours, degrees, bv;
        bool red;
    } known[] = {
        {"Betelgeuse", 5.919529, 7.406706, 1.50, true}, {"Antares", 16.490128, -26.432003, 1.86, true},
        {"Aldebaran", 4.598677, 16.509301, 1.54, true}, {"Rigel", 5.242298, -8.201638, -0.03, false},
        {"Spica", 13.419883, -11.161319, -0.24, false}, {"Vega", 18.615649, 38.783692, 0.00, false},
        {"Sirius", 6.752481, -16.716116, 0.01, false},
    };
    for (const auto &star : known) {
        const VECTOR3 at = sim::starDirection(star.hours * 15 * RAD, star.degrees * RAD);
        const sim::Star *nearest = nullptr;
        for (const sim::Star &candidate : sky->stars)
            if (!nearest || dotp(candidate.direction, at) > dotp(nearest->direction, at))
                nearest = &candidate;
        ASSERT_GT(dotp(nearest->direction, at), std::cos(0.01 * RAD)) << star.name;
        EXPECT_LT(nearest->magnitude, 1.6) << star.name;
        EXPECT_NEAR(nearest->colourIndex, star.bv, 0.025) << star.name;
        const unsigned red = nearest->colour >> 16 & 0xFF, blue = nearest->colour & 0xFF;
        if (star.red)
            EXPECT_GT(red, blue + 80) << star.name;
        else
            EXPECT_GT(blue, red + 40) << star.name;
    }
    // The whole sky's spread: the many orange giants and the hot blue stars.
    int reddish = 0, bluish = 0;
    for (const sim::Star &star : sky->stars) {
        reddish += star.colourIndex > 1.0;
        bluish += star.colourIndex < 0.0;
    }
    EXPECT_GT(reddish, 2000);
    EXPECT_GT(bluish, 1000);
}

TEST(SkyData, AMissingPieceIsNamed) {
    testsupport::TemporaryFolder folder;
    const std::string sky = folder.makeFolder("Sky");
    const std::string build = std::string(OKUL_ROOT_DIR) + "/Config/Sky/";
    std::string error;
    EXPECT_EQ(sim::loadSkyData(sky, error), nullptr);
    EXPECT_EQ(
        error,
        sky + "/Stars.txt: missing (the build makes it from Debian's xplanet and stellarium-data packages)");

    // xplanet's catalogue as it comes, without the colour index: refused at
    // its first star.
    folder.writeFile("Sky/Stars.txt",
                     "#    Dec      RA   Mag         Name  BSN     HD    SAO\n"
                     "-16.7161  6.7525 -1.46 \"  9Alp CMa\" 2491  48915 151881\n");
    EXPECT_EQ(sim::loadSkyData(sky, error), nullptr);
    EXPECT_EQ(
        error,
        sky + "/Stars.txt: line 2: expected declination, right ascension, magnitude and B-V (-0.5 to 3.5)");

    fs::copy_file(build + "Stars.txt", sky + "/Stars.txt", fs::copy_options::overwrite_existing);
    for (const char *name : {"Sun", "Mercury", "Venus", "Earth", "Moon"})
        fs::copy_file(build + name + ".ppm", sky + "/" + name + ".ppm");
    EXPECT_EQ(sim::loadSkyData(sky, error), nullptr);
    EXPECT_EQ(
        error,
        sky + "/Mars.ppm: missing (the build makes it from Debian's stellarium-data and xplanet-images)");

    folder.writeFile("Sky/Mars.ppm", "P6\n2 2\n255\nabc");
    EXPECT_EQ(sim::loadSkyData(sky, error), nullptr);
    EXPECT_EQ(error, sky + "/Mars.ppm: the pixels end early");
}

TEST(SkyData, AScenarioDoesNotStartWithoutItsSky) {
    testsupport::TestInstallation installation;
    fs::remove(installation.root() + "/Config/Sky");
    installation.writeClass("Probe", "ClassName = Probe\nSize = 2\nMass = 500\n");
    const std::string path = installation.writeScenario(
        "probe.scn",
        "BEGIN_ENVIRONMENT\n  Date MJD 43100.5\nEND_ENVIRONMENT\nBEGIN_SHIPS\nP1:Probe\n  STATUS Orbiting "
        "Earth\n"
        "  RPOS 6771000 0 0\n  RVEL 0 0 7672.6\nEND\nEND_SHIPS\n");
    sim::Simulation simulation(installation.root(), installation.work());
    std::string error;
    EXPECT_FALSE(simulation.loadScenario(path, error));
    EXPECT_EQ(error, "cannot load the sky: " + installation.root() +
                         "/Config/Sky/Stars.txt: missing (the build makes it from Debian's xplanet and "
                         "stellarium-data packages)");
}
