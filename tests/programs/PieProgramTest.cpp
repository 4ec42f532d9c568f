// PIE against the simulator: a probe 30 days before its pass over the Earth,
// designed in the simulator's gravity with a periapsis 6,000 km up.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "DesignedProbes.h"
#include "EarthReturn.h"
#include "FileContents.h"
#include "OrbitRecord.h"
#include "PieProgram.h"
#include "ReturnReference.h"
#include "Terminal.h"
#include "TerminalScreen.h"

using testsupport::ReadFile;
using testsupport::SharedEarthReturnProbe;

namespace fs = std::filesystem;

namespace {

const char kPrediction[] = "43644;1;0;0;0;0;0;0.0000001;0;1";
const char kCorrection[] = "43644;1;0;0;0;0;0;0.000001;5;2";
const double kEarthRadius = 6371.01;  // km, the simulator's mean radius

std::vector<double> Numbers(const std::string &text) {
    std::vector<double> numbers;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        char *end = nullptr;
        const double value = std::strtod(word.c_str(), &end);
        if (end && *end == '\0') numbers.push_back(value);
    }
    return numbers;
}

struct Periapsis {
    double mjd, radius, speed;
};

Periapsis PeriapsisLine(const PieProgram &pie) {
    Periapsis p = {0, 0, 0};
    EXPECT_EQ(std::sscanf(pie.resultLines[1], "REZ=MJD %lf R %lf км V %lf м/с", &p.mjd, &p.radius, &p.speed),
              3)
        << pie.resultLines[1];
    return p;
}

// Periapsis radius of the program's Earth-relative state at the closest
// approach [m].
double PeriapsisRadius(const PieProgram &pie) {
    OrbitRecord orbit = {};
    orbit.mu = 398600439968871.2;
    orbit.epoch = pie.closestMjd;
    orbit.position = pie.closestPos;
    orbit.velocity = pie.closestVel;
    StateToElements(orbit);
    return orbit.semiLatusRectum / (1.0 + orbit.eccentricity);
}

class PieProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(SharedEarthReturnProbe().vessel(), nullptr) << SharedEarthReturnProbe().error();
        vessel = SharedEarthReturnProbe().vessel();
    }
    VESSEL *vessel = nullptr;
};

TEST_F(PieProgramTest, ControlWordFieldsSeparatorsAndDefaults) {
    PieProgram pie(vessel);
    pie.ReadControlWord(";;;43650;;1.5;2;3");  // leading and doubled separators are one
    EXPECT_EQ(pie.endMjd, 43650.0);
    EXPECT_EQ(pie.direction.x, 1.5);
    EXPECT_EQ(pie.direction.z, 3.0);
    EXPECT_EQ(pie.reserved.x, 0.0);
    EXPECT_EQ(pie.mode, 0.0);

    pie.ReadControlWord("43650;1;2;3;4;5;6;0.001;7;-2;99;98");  // beyond the tenth: ignored
    EXPECT_EQ(pie.reserved.z, 6.0);
    EXPECT_EQ(pie.tolerance, 0.001);
    EXPECT_EQ(pie.scale, 7.0);
    EXPECT_EQ(pie.mode, -2.0);

    pie.ReadControlWord("12abc;x;-3.5e1zz");  // longest numeric prefix, else 0
    EXPECT_EQ(pie.endMjd, 12.0);
    EXPECT_EQ(pie.direction.x, 0.0);
    EXPECT_EQ(pie.direction.y, -35.0);
    EXPECT_EQ(pie.scale, 0.0);  // the rest back to the defaults

    pie.ReadControlWord("");
    EXPECT_EQ(pie.endMjd, 43644.0);
    EXPECT_EQ(pie.direction.y, 0.0);
}

TEST_F(PieProgramTest, TableActions) {
    PieProgram pie(vessel);
    EXPECT_EQ(pie.Run("43640;0;0;0;0;0;0;0;0;-2"), 0.0);  // half-day tables from now
    const double now = oapiGetSimMJD();
    EXPECT_EQ(pie.startMjd, now);
    EXPECT_STREQ(pie.resultLines[4], "REZ=Контрольные точки установлены");
    for (int i = 0; i < 4; ++i) EXPECT_STREQ(pie.resultLines[i], "_ _");
    for (const CheckpointTable &table : pie.tables) {
        EXPECT_EQ(table.count, static_cast<int>((43640.0 - now) / 0.5));
        EXPECT_EQ(table.step, 0.5);
        EXPECT_EQ(table.startMjd, now);
    }

    // One field, the end date: the mode stays 0 and the tables go.
    EXPECT_EQ(pie.Run("43650"), 0.0);
    EXPECT_STREQ(pie.resultLines[4], "REZ=Сброс осуществлен");
    EXPECT_STREQ(pie.resultLines[0], "_ _");
    for (const CheckpointTable &table : pie.tables) EXPECT_EQ(table.count, 0);

    // A step of a millionth of a day would need 34 million checkpoints.
    pie.Run("43644;0;0;0;0;0;0;0;0;-1");
    EXPECT_EQ(pie.Run("43644;0;0;0;0;0;0;0;0;-1000000"), 0.0);
    EXPECT_STREQ(pie.resultLines[4], "REZ=Контрольные точки не установлены");
    for (const CheckpointTable &table : pie.tables) EXPECT_EQ(table.count, 0);
    EXPECT_EQ(pie.deltaV.x, 0.1);  // table actions leave the increment
}

TEST_F(PieProgramTest, PredictionBuildsMissingTablesAndFormsNoRecords) {
    PieProgram pie(vessel);
    const double steps = pie.Run(kPrediction);
    EXPECT_GT(steps, 1000.0);
    EXPECT_STREQ(pie.resultLines[4], "!!!Автоустановка КТ, шаг 1 сут");
    EXPECT_EQ(pie.tables[ReturnIntegrator::kEarth].count, static_cast<int>(43644.0 - oapiGetSimMJD()));
    EXPECT_EQ(pie.tables[ReturnIntegrator::kSaturn].step, 1.0);
    EXPECT_STREQ(pie.resultLines[3], " ");
    EXPECT_STREQ(pie.directionRecord, "");
    EXPECT_STREQ(pie.burnRecord, "");
    EXPECT_EQ(length(pie.deltaV), 0.0);  // scale 0 times direction (1, 0, 0)

    double anomaly, positionError, velocityError;
    ASSERT_EQ(std::sscanf(pie.resultLines[0], "ERR=TuA %lf R %lf км V %lf м/с", &anomaly, &positionError,
                          &velocityError),
              3)
        << pie.resultLines[0];
    EXPECT_LT(std::fabs(anomaly), 20.0);  // the closest step lies near the periapsis
    EXPECT_NEAR(positionError, pie.closestPosError / 1000.0, 0.051);
    const Periapsis p = PeriapsisLine(pie);
    EXPECT_NEAR(p.mjd, 43640.3, 0.05);
    // The simulator's own periapsis is 12,371 km from the centre; the model's
    // one-day tables and its fixed Sun put it some hundred km off.
    EXPECT_NEAR(p.radius, 12371.0, 300.0);
    EXPECT_NEAR(p.radius, PeriapsisRadius(pie) / 1000.0, 0.006);
    EXPECT_NEAR(p.speed, std::sqrt(398600.4399688712 * (2.0 / p.radius) + 3.05 * 3.05) * 1000.0, 200.0);
    double longitude, latitude, altitude;
    ASSERT_EQ(std::sscanf(pie.resultLines[2], "REZ=Д %lf Ш %lf Выс %lf", &longitude, &latitude, &altitude), 3)
        << pie.resultLines[2];
    EXPECT_NEAR(altitude, p.radius - kEarthRadius, 0.06);
    EXPECT_LE(std::fabs(longitude), 180.0);
    EXPECT_LE(std::fabs(latitude), 90.0);

    // The next prediction keeps the tables: no automatic build.
    PieProgram again(vessel);
    again.Run("43644;0;0;0;0;0;0;0;0;-1");
    again.Run(kPrediction);
    EXPECT_STREQ(again.resultLines[4], "_ _");
    EXPECT_STREQ(again.resultLines[1], pie.resultLines[1]);
}

TEST_F(PieProgramTest, PredictionAppliesScaleTimesDirection) {
    PieProgram pie(vessel);
    pie.Run("43644;0;0;0;0;0;0;0;0;-1");
    EXPECT_GT(pie.Run("43644;1;2;-2;0;0;0;0.0000001;3;0.5"), 0.0);  // a mode in (0, 1] predicts
    EXPECT_EQ(pie.deltaV.x, 3.0);
    EXPECT_EQ(pie.deltaV.y, 6.0);
    EXPECT_EQ(pie.deltaV.z, -6.0);
    EXPECT_STREQ(pie.directionRecord, "");
}

TEST_F(PieProgramTest, CorrectionThroughTheTerminalStoresBothRecords) {
    Terminal terminal(vessel);
    std::strcpy(terminal.fileLines[0], "old0");
    std::strcpy(terminal.fileLines[2], "old2");
    testsupport::Enter(terminal, "PIE 43644;0;0;0;0;0;0;0;0;-1");
    testsupport::Enter(terminal, std::string("PIE ") + kCorrection);
    const PieProgram &pie = terminal.pieProgram;
    EXPECT_GT(pie.search.trials, 10);

    // Answer and the five lines, line 4 on top.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(testsupport::ScreenRow(terminal, 4 - i), pie.resultLines[i]);
    const std::string answer = testsupport::ScreenRow(terminal, 5);
    ASSERT_EQ(answer.rfind("Ответ -", 0), 0u) << answer;

    const double magnitude = length(pie.deltaV);
    char expected[110];
    std::snprintf(expected, sizeof(expected), "130;-0.00694;0;%.4f;", magnitude);
    EXPECT_STREQ(pie.burnRecord, expected);
    std::snprintf(expected, sizeof(expected), "210;-0.00035;%.4f;%.4f;%.4f;", pie.deltaV.x / magnitude,
                  pie.deltaV.y / magnitude, pie.deltaV.z / magnitude);
    EXPECT_STREQ(pie.directionRecord, expected);
    EXPECT_STREQ(terminal.fileLines[0], pie.directionRecord);
    EXPECT_STREQ(terminal.fileLines[1], pie.burnRecord);
    EXPECT_STREQ(terminal.fileLines[2], "old2");

    // The search brings the periapsis down to the surface.
    int trials = 0;
    double dv = 0.0, best = 0.0;
    ASSERT_EQ(std::sscanf(pie.resultLines[3], "Коррекция (%d) dV %lf м/с ErrR %lf км", &trials, &dv, &best),
              3)
        << pie.resultLines[3];
    EXPECT_EQ(trials, pie.search.trials);
    EXPECT_NEAR(dv, magnitude, 0.005);
    EXPECT_EQ(best, 6371.0);
    EXPECT_LE(PeriapsisLine(pie).radius, 6371.0);
    std::printf("PIE correction: %s | %s | %s | %s\n", pie.resultLines[0], pie.resultLines[1],
                pie.resultLines[3], pie.burnRecord);

    const std::string log = ReadFile("Q4K12techout/prg78OH.txt");
    EXPECT_EQ(log.find("\nStartPoint R"), 0u);
    EXPECT_NE(log.find("\n ++exit\nStepRez R6371.0, "), std::string::npos);

    // In the simulator's own gravity the corrected flight passes far lower
    // than the 12,371 km of the uncorrected one.
    testsupport::EarthReturnProbe &simulation = SharedEarthReturnProbe();
    earth_return::FreeState corrected = simulation.start;
    corrected.velocity += pie.deltaV;
    const earth_return::Periapsis pass =
        earth_return::FindPeriapsis(simulation.ephemeris(), simulation.gravity(), corrected, 40.0);
    std::printf("corrected pass in the simulator: %.1f km from the centre at MJD %.4f\n",
                length(pass.relativePosition) / 1000.0, pass.mjd);
    EXPECT_LT(length(pass.relativePosition), 6900e3);
}

TEST_F(PieProgramTest, EndBeforeTheStartTakesNoStep) {
    PieProgram pie(vessel);
    pie.Run("43644;0;0;0;0;0;0;0;0;-1");
    EXPECT_EQ(pie.Run("43600;0;0;0;0;0;0;0.0000001;0;1"), 0.0);
    EXPECT_EQ(pie.closestMjd, 0.0);
    EXPECT_EQ(std::strncmp(pie.resultLines[1], "REZ=MJD ", 8), 0);  // formed, without meaning
}

TEST_F(PieProgramTest, ZeroScaleCorrectionIsRefusedAndPredictsWithoutRecords) {
    PieProgram pie(vessel);
    pie.Run("43644;0;0;0;0;0;0;0;0;-1");
    std::strcpy(pie.burnRecord, "130;-0.00694;0;1.0000;");
    const double steps = pie.Run("43644;1;0;0;0;0;0;0.000001;0;2");
    EXPECT_GT(steps, 0.0);
    EXPECT_STREQ(pie.resultLines[3], "Коррекция невозможна: нет направления dV");
    EXPECT_STREQ(pie.burnRecord, "130;-0.00694;0;1.0000;");
    EXPECT_EQ(length(pie.deltaV), 0.0);
    EXPECT_EQ(std::strstr(pie.resultLines[1], "nan"), nullptr);
}

TEST_F(PieProgramTest, ReusedPositionsGiveThePlainResultsToTheLastBit) {
    // A correction at a coarser tolerance keeps the plain run short.
    for (const char *word : {kPrediction, "43644;1;0;0;0;0;0;0.00001;5;2"}) {
        PieProgram fast(vessel), plain(vessel);
        plain.integrator.plainBodyStates = true;
        fast.Run("43644;0;0;0;0;0;0;0;0;-1");
        plain.Run("43644;0;0;0;0;0;0;0;0;-1");
        EXPECT_EQ(fast.Run(word), plain.Run(word)) << word;
        EXPECT_EQ(std::memcmp(&fast.closestPos, &plain.closestPos, sizeof(VECTOR3)), 0) << word;
        EXPECT_EQ(std::memcmp(&fast.closestVel, &plain.closestVel, sizeof(VECTOR3)), 0) << word;
        EXPECT_EQ(fast.closestMjd, plain.closestMjd);
        EXPECT_EQ(fast.closestPosError, plain.closestPosError);
        EXPECT_EQ(std::memcmp(&fast.deltaV, &plain.deltaV, sizeof(VECTOR3)), 0) << word;
        for (int i = 0; i < PieProgram::kResultLineCount; ++i)
            EXPECT_STREQ(fast.resultLines[i], plain.resultLines[i]);
        EXPECT_STREQ(fast.burnRecord, plain.burnRecord);
        EXPECT_EQ(fast.integrator.forceEvaluations, plain.integrator.forceEvaluations);
        // Two new dates per accepted step instead of four evaluations.
        EXPECT_LT(fast.integrator.bodyPositionSets, 0.6 * plain.integrator.bodyPositionSets);
    }
}

TEST_F(PieProgramTest, PredictionAgreesWithTheIndependentIntegration) {
    PieProgram pie(vessel);
    pie.Run("43644;0;0;0;0;0;0;0;0;-1");
    const std::string tables = return_reference::Tables(pie);
    pie.Run("43644;0;0;0;0;0;0;0.0000001;0;1");

    // The reference was made for these very tables and this start.
    const std::string dir = std::string(OKUL_SOURCE_DIR) + "/tests/programs/reference/";
    const std::vector<double> input = Numbers(return_reference::Input(tables, pie));
    const std::vector<double> committed = Numbers(ReadFile(dir + "return_reference_input.txt"));
    ASSERT_EQ(input.size(), committed.size()) << "run reference/return_reference.py again";
    for (size_t i = 0; i < input.size(); ++i)
        ASSERT_NEAR(input[i], committed[i], 1e-12 * std::fabs(committed[i])) << "number " << i;

    const std::vector<double> reference = Numbers(ReadFile(dir + "return_reference.txt"));
    ASSERT_EQ(reference.size(), 4u);
    const double radius = PeriapsisRadius(pie);
    std::printf(
        "periapsis radius %.3f km, reference %.3f km (%.3f km apart); closest step MJD %.6f, "
        "reference %.6f\n",
        radius / 1000.0, reference[1] / 1000.0, (radius - reference[1]) / 1000.0, pie.closestMjd,
        reference[0]);
    EXPECT_NEAR(radius, reference[1], 1000.0);
    EXPECT_NEAR(PeriapsisLine(pie).mjd, reference[2], 0.001);
}

TEST_F(PieProgramTest, MissingReportFolderStillCompletes) {
    fs::rename("Q4K12techout", "Q4K12techout.away");
    PieProgram pie(vessel);
    EXPECT_GT(pie.Run(kPrediction), 0.0);
    EXPECT_NE(std::string(pie.resultLines[1]), "_ _");
    fs::rename("Q4K12techout.away", "Q4K12techout");
}

}  // namespace

namespace {

TEST(EarthReturnScenario, IsWhatTheToolWrites) {
    testsupport::EarthReturnProbe &simulation = SharedEarthReturnProbe();
    ASSERT_NE(simulation.vessel(), nullptr) << simulation.error();
    const std::string committed = ReadFile(std::string(OKUL_SOURCE_DIR) + "/scenarios/earth_return.scn");
    EXPECT_EQ(earth_return::ReturnScenario(simulation.ephemeris(), simulation.gravity()), committed)
        << "write it again: earth_return build/dev scenarios/earth_return.scn";
}

}  // namespace
