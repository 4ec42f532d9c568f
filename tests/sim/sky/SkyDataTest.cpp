// The installation's sky: read whole, and a missing piece named at start-up.
#include "sky/SkyData.h"

#include <gtest/gtest.h>

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

TEST(SkyData, AMissingPieceIsNamed) {
    testsupport::TemporaryFolder folder;
    const std::string sky = folder.makeFolder("Sky");
    const std::string build = std::string(OKUL_ROOT_DIR) + "/Config/Sky/";
    std::string error;
    EXPECT_EQ(sim::loadSkyData(sky, error), nullptr);
    EXPECT_EQ(error, sky + "/BSC: missing (the build copies it from Debian's xplanet package)");

    fs::copy_file(build + "BSC", sky + "/BSC");
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
                         "/Config/Sky/BSC: missing (the build copies it from Debian's xplanet package)");
}
