// The correction search on model periapsis functions in place of the
// integration: its step sequences, ties, and the log line by line.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "CorrectionSearch.h"
#include "DesignedProbes.h"
#include "FileContents.h"
#include "PieProgram.h"

using testsupport::ReadFile;
using testsupport::SharedEarthReturnProbe;

namespace {

const char kSearchLog[] = "Q4K12techout/prg78OH.txt";

// The search with the periapsis of each increment given by a model.
class ModelSearch : public CorrectionSearch {
public:
    ModelSearch(PieProgram &program, std::function<double(const VECTOR3 &)> model)
        : CorrectionSearch(program), model(std::move(model)) {}
    double ClosestPeriapsis(const VECTOR3 &deltaV) override {
        increments.push_back(deltaV);
        return model(deltaV);
    }
    std::function<double(const VECTOR3 &)> model;
    std::vector<VECTOR3> increments;
};

// The "Vi" (magnitude) or "T" (elevation) values of the log's trial lines,
// start point included.
std::vector<std::string> TrialValues(const std::string &log, const std::string &key) {
    std::vector<std::string> values;
    std::istringstream lines(log);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("StepRez", 0) != 0 && line.rfind("StartPoint", 0) != 0) continue;
        const size_t at = line.find(" " + key) + key.size() + 1;
        values.push_back(line.substr(at, line.find(' ', at) - at));
    }
    return values;
}

class CorrectionSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(SharedEarthReturnProbe().vessel(), nullptr) << SharedEarthReturnProbe().error();
    }
    PieProgram pie{nullptr};
};

TEST_F(CorrectionSearchTest, TiesAreFailuresAndTheLogShowsEveryPhase) {
    ModelSearch search(pie, [](const VECTOR3 &) { return 1.0e7; });
    VECTOR3 deltaV = _V(0.0, 0.0, 5.0);
    ASSERT_TRUE(search.Search(deltaV));
    EXPECT_EQ(search.trials, 10);
    EXPECT_STREQ(pie.resultLines[3], "Коррекция (10) dV 5.00 м/с ErrR 10000.0 км");
    EXPECT_NEAR(deltaV.z, 5.0, 1e-12);
    EXPECT_NEAR(deltaV.x, 0.0, 1e-12);

    const std::string expected =
        "\nStartPoint R10000.0, T0.00 R0.00 Vi5.00"
        // Elevation: 10, 5, 2.5, 1.25 degrees with reversals, ends at 0.625.
        "\nStepRez R10000.0, T10.00 R0.00 Vi5.00"
        "\n====Change step size, reverse direction"
        "\nStepRez R10000.0, T-5.00 R0.00 Vi5.00"
        "\n====Change step size, reverse direction"
        "\nStepRez R10000.0, T2.50 R0.00 Vi5.00"
        "\n====Change step size, reverse direction"
        "\nStepRez R10000.0, T-1.25 R0.00 Vi5.00"
        "\n====Change axis"
        // Azimuth the same way.
        "\nStepRez R10000.0, T0.00 R10.00 Vi5.00"
        "\n====Change step size, reverse direction"
        "\nStepRez R10000.0, T0.00 R-5.00 Vi5.00"
        "\n====Change step size, reverse direction"
        "\nStepRez R10000.0, T0.00 R2.50 Vi5.00"
        "\n====Change step size, reverse direction"
        "\nStepRez R10000.0, T0.00 R-1.25 Vi5.00"
        // Magnitude: +1 fails, +1/3 fails, the phase and the search end.
        "\n====Destignition"
        "\n====Change velosity"
        "\nStepRez R10000.0, T0.00 R0.00 Vi6.00"
        "\n====new routine"
        "\nStepRez R10000.0, T0.00 R0.00 Vi5.33"
        "\n ++exit"
        "\nStepRez R10000.0, T0.00 R0.00 Vi5.00";
    EXPECT_EQ(ReadFile(kSearchLog), expected);
}

TEST_F(CorrectionSearchTest, MagnitudeDoublesWhileItImprovesAndTakesThirdsAfterAFailure) {
    // Best at 8 m/s whatever the direction.
    ModelSearch search(pie, [](const VECTOR3 &v) { return 1.0e7 + 1.0e5 * std::pow(length(v) - 8.0, 2); });
    VECTOR3 deltaV = _V(0.0, 0.0, 5.0);
    ASSERT_TRUE(search.Search(deltaV));
    const std::vector<std::string> eight(8, "5.00"), eightAgain(8, "8.00");
    std::vector<std::string> expected = {"5.00"};
    expected.insert(expected.end(), eight.begin(), eight.end());
    // +1, +2 improve; +4 fails, then 4/3 and 4/9 from the best, and the end.
    for (const char *v : {"6.00", "8.00", "12.00", "9.33", "8.44"}) expected.push_back(v);
    // The pass improved: another pass; its magnitude phase fails at +1 and +1/3.
    expected.insert(expected.end(), eightAgain.begin(), eightAgain.end());
    for (const char *v : {"9.00", "8.33", "8.00"}) expected.push_back(v);  // the last line is the best
    const std::string log = ReadFile(kSearchLog);
    EXPECT_EQ(TrialValues(log, "Vi"), expected);
    EXPECT_EQ(search.trials, 23);
    EXPECT_NE(
        log.find("\n====Change velosity\nStepRez R10400.0, T0.00 R0.00 Vi6.00\n====;crease velosity\n"
                 "StepRez R10000.0, T0.00 R0.00 Vi8.00\n====;crease velosity\nStepRez R11600.0, T0.00 R0.00 "
                 "Vi12.00\n====new routine\n"),
        std::string::npos)
        << log;
    EXPECT_STREQ(pie.resultLines[3], "Коррекция (23) dV 8.00 м/с ErrR 10000.0 км");
    EXPECT_NEAR(length(deltaV), 8.0, 1e-12);
}

TEST_F(CorrectionSearchTest, ImprovingAngleRepeatsItsIncrementAndFoldsAtNinetyDegrees) {
    // Lower the higher the increment points, whatever its size.
    ModelSearch search(pie, [](const VECTOR3 &v) { return 1.0e7 - 1.0e6 * v.y / length(v); });
    VECTOR3 deltaV = _V(0.0, 0.0, 5.0);
    ASSERT_TRUE(search.Search(deltaV));
    const std::vector<std::string> elevations = TrialValues(ReadFile(kSearchLog), "T");
    const std::vector<std::string> firstPass(elevations.begin(), elevations.begin() + 15);
    // 10 degrees at a time up to 90; 100 folds back to 80 and fails, then 85,
    // 92.5 (folded to 87.5) and 88.75 fail.
    EXPECT_EQ(firstPass,
              (std::vector<std::string>{"0.00", "10.00", "20.00", "30.00", "40.00", "50.00", "60.00", "70.00",
                                        "80.00", "90.00", "80.00", "85.00", "87.50", "88.75", "90.00"}));
    EXPECT_NEAR(deltaV.y, 5.0, 1e-9);
}

TEST_F(CorrectionSearchTest, EvaluateFoldsTheAnglesFormsTheIncrementAndHoldsThePeriapsisAtTheSurface) {
    ModelSearch search(pie, [](const VECTOR3 &) { return 5.0e6; });
    TrialRecord trial = {};
    trial.elevation = 60.0 * RAD;
    trial.azimuth = -120.0 * RAD;
    trial.magnitude = 2.0;
    trial.increment[0] = 40.0 * RAD;   // 100 degrees, folded to 80
    trial.increment[1] = -80.0 * RAD;  // -200 degrees, folded to 20
    trial.increment[2] = 1.0;
    EXPECT_EQ(search.Evaluate(trial), 6371000.0);
    EXPECT_EQ(trial.periapsis, 6371000.0);
    EXPECT_NEAR(trial.elevation * DEG, 80.0, 1e-9);
    EXPECT_NEAR(trial.azimuth * DEG, 20.0, 1e-9);
    EXPECT_EQ(trial.magnitude, 3.0);
    const double el = 80.0 * RAD, az = 20.0 * RAD;
    const VECTOR3 expected =
        _V(-std::sin(az) * std::cos(el), std::sin(el), std::cos(az) * std::cos(el)) * 3.0;
    EXPECT_LT(length(trial.deltaV - expected), 1e-12);
    ASSERT_EQ(search.increments.size(), 1u);
    EXPECT_EQ(search.increments[0].x, trial.deltaV.x);
}

TEST_F(CorrectionSearchTest, ZeroIncrementIsRefused) {
    std::ofstream(kSearchLog) << "old";
    ModelSearch search(pie, [](const VECTOR3 &) { return 1.0e7; });
    VECTOR3 deltaV = _V(0.0, 0.0, 0.0);
    EXPECT_FALSE(search.Search(deltaV));
    EXPECT_TRUE(search.increments.empty());
    EXPECT_EQ(search.trials, 0);
    EXPECT_STREQ(pie.resultLines[3], "Коррекция невозможна: нет направления dV");
    EXPECT_EQ(ReadFile(kSearchLog), "");
    EXPECT_EQ(deltaV.x, 0.0);
}

}  // namespace
