// PLM against the simulator: a spacecraft 20 days out from Mars, designed in
// the simulator's own gravity to miss the target point by some hundred km.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "DesignedProbes.h"
#include "FileContents.h"
#include "MarsApproach.h"
#include "PlmProgram.h"
#include "core/Simulation.h"

using testsupport::ReadFile;

namespace fs = std::filesystem;

namespace {

const char kReport[] = "Q4K12techout/PLM(prg77).out";

// One simulator with the probe for all tests (loading takes a while).
class PlmProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        probe = new testsupport::MarsApproachProbe;
        ASSERT_NE(probe->vessel(), nullptr) << probe->error();
        uncorrectedMiss =
            mars_approach::FindPeriapsis(probe->ephemeris(), probe->gravity(), probe->start, 40.0).targetMiss;
        simulation = &probe->simulation();
        vessel = probe->vessel();
    }
    static void TearDownTestSuite() {
        delete probe;
        probe = nullptr;
    }

    static testsupport::MarsApproachProbe *probe;
    static sim::Simulation *simulation;
    static VESSEL *vessel;
    static double uncorrectedMiss;
};

testsupport::MarsApproachProbe *PlmProgramTest::probe = nullptr;
sim::Simulation *PlmProgramTest::simulation = nullptr;
VESSEL *PlmProgramTest::vessel = nullptr;
double PlmProgramTest::uncorrectedMiss = 0.0;

TEST_F(PlmProgramTest, NegativeWordResetsAndEmptiesTheReport) {
    std::ofstream(kReport) << "old";
    PlmProgram plm(vessel);
    plm.deltaV = _V(3, 4, 5);
    std::strcpy(plm.resultLines[0], "kept");
    EXPECT_EQ(plm.Run(-1), 0.0);
    EXPECT_EQ(plm.deltaV.y, 0.1);
    EXPECT_EQ(ReadFile(kReport), "");
    EXPECT_STREQ(plm.resultLines[0], "kept");
}

TEST_F(PlmProgramTest, ZeroWordReportsTheUncorrectedTrajectory) {
    PlmProgram plm(vessel);
    plm.Run(-1);
    std::strcpy(plm.resultLines[2], "kept");
    EXPECT_EQ(plm.Run(0), 0.0);
    EXPECT_STREQ(plm.resultLines[2], "kept");
    EXPECT_STREQ(plm.directionRecord, "");
    EXPECT_EQ(plm.startPos.x, 0.0);  // the search's start vectors stay
    EXPECT_EQ(plm.startMjd, oapiGetSimMJD());
    // The uncorrected approach misses by some hundred km.
    const char *missText = std::strstr(plm.resultLines[1], "Rош ");
    ASSERT_NE(missText, nullptr);
    const double miss = std::atof(missText + std::strlen("Rош "));
    EXPECT_NEAR(miss, uncorrectedMiss / 1000.0, 0.05 * uncorrectedMiss / 1000.0);
    const std::string expected = std::string("\n\n Исходная траектория (без коррекции)\n") +
                                 plm.resultLines[0] + "\n" + plm.resultLines[1];
    EXPECT_EQ(ReadFile(kReport), expected);
}

TEST_F(PlmProgramTest, SearchForms) {
    PlmProgram plm(vessel);
    plm.Run(-1);
    EXPECT_EQ(plm.Run(5), 5.0);
    int count = 0;
    double dv[3];
    ASSERT_EQ(std::sscanf(plm.resultLines[2], "%dш dV %lf %lf %lf", &count, &dv[0], &dv[1], &dv[2]), 4)
        << plm.resultLines[2];
    EXPECT_GT(count, 0);
    const VECTOR3 miss = plm.TargetMiss(plm.deltaV);
    EXPECT_LT(length(miss), 1000.0);

    const char *missText = std::strstr(plm.resultLines[1], "Rош ");
    ASSERT_NE(missText, nullptr);
    std::printf("PLM 5: %s | %s | %s\n", plm.resultLines[0], plm.resultLines[1], plm.resultLines[2]);
    EXPECT_LT(std::atof(missText + std::strlen("Rош ")), 1.0);

    char expected[110];
    std::snprintf(expected, sizeof(expected), "130;-0.00347;0;%.4f;", length(plm.deltaV));
    EXPECT_STREQ(plm.burnRecord, expected);
    EXPECT_EQ(std::strncmp(plm.directionRecord, "210;-0.00001;", 13), 0);

    const std::string report = ReadFile(kReport);
    EXPECT_EQ(report.find("\n\n Поиск параметром 5\nСделано "), 0u);
    EXPECT_NE(report.find(std::string("3=====================\nCформированы команды\n") +
                          plm.directionRecord + "\n" + plm.burnRecord + "\n"),
              std::string::npos);
}

TEST_F(PlmProgramTest, DampedWordsWithoutLimitFormNoRecords) {
    PlmProgram plm(vessel);
    plm.Run(-1);
    EXPECT_EQ(plm.Run(200), 0.0);
    EXPECT_EQ(std::strncmp(plm.resultLines[2], "-2ш dV ", 7), 0) << plm.resultLines[2];
    EXPECT_STREQ(plm.burnRecord, "");
    EXPECT_NE(plm.deltaV.x, 0.1);  // one damped update was made
    EXPECT_NE(ReadFile(kReport).find("Исходная траектория"), std::string::npos);

    PlmProgram another(vessel);
    another.Run(-1);
    EXPECT_EQ(another.Run(450), 1.0);
    EXPECT_NE(std::string(another.burnRecord), "");
}

TEST_F(PlmProgramTest, ZeroComponentStopsTheSearchCleanly) {
    PlmProgram plm(vessel);
    plm.Run(-1);
    plm.deltaV = _V(0.1, 0.0, 0.1);
    EXPECT_EQ(plm.Run(3), 3.0);
    EXPECT_TRUE(plm.singularJacobian);
    EXPECT_STREQ(plm.resultLines[2], "-1ш dV 0.100 0.000 0.100 вырожденная матрица");
    EXPECT_EQ(plm.deltaV.y, 0.0);
    EXPECT_EQ(std::strstr(plm.resultLines[1], "nan"), nullptr);
    EXPECT_EQ(std::strstr(plm.burnRecord, "nan"), nullptr);
}

TEST_F(PlmProgramTest, MissingReportFolderStillCompletes) {
    fs::rename("Q4K12techout", "Q4K12techout.away");
    PlmProgram plm(vessel);
    EXPECT_EQ(plm.Run(-1), 0.0);
    EXPECT_EQ(plm.Run(1), 1.0);
    EXPECT_NE(std::string(plm.resultLines[0]), "");
    EXPECT_NE(std::string(plm.burnRecord), "");
    fs::rename("Q4K12techout.away", "Q4K12techout");
}

}  // namespace

namespace {

// Runs last: it advances the simulation. The correction found by PLM 5 is
// applied to the vessel in the simulator at the burn time; the simulator's
// own periapsis must then lie on the target.
TEST_F(PlmProgramTest, ClosureInTheSimulator) {
    PlmProgram plm(vessel);
    plm.Run(-1);
    ASSERT_EQ(plm.Run(5), 5.0);

    ASSERT_TRUE(probe->applyIncrementAt(5300.0, plm.deltaV));

    mars_approach::FreeState now;
    now.mjd = simulation->mjd();
    vessel->GetGlobalPos(now.position);
    vessel->GetGlobalVel(now.velocity);
    const mars_approach::Periapsis corrected =
        mars_approach::FindPeriapsis(simulation->ephemeris(), simulation->gravity(), now, 40.0);
    std::printf("closure: uncorrected miss %.1f km, corrected miss in the simulator %.3f km at MJD %.5f\n",
                uncorrectedMiss / 1000.0, corrected.targetMiss / 1000.0, corrected.mjd);
    EXPECT_LT(corrected.targetMiss, 10000.0);
    EXPECT_NEAR(corrected.mjd, mars_approach::kTargetMjd, 0.01);
}

}  // namespace
