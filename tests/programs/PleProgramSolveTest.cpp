// The Newton iteration of PLE on miss functions of known shape, and its
// control words.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "PleProgram.h"

namespace {

// PLE with a scripted miss in place of the propagation.
class ScriptedMiss : public PleProgram {
public:
    ScriptedMiss() : PleProgram(nullptr) {}

    double EvaluateMiss(const VECTOR3 &x, VECTOR3 &residual, int mode) override {
        modes.push_back(mode);
        residual = response(x);
        if (mode == kEvaluatePlain && !plainDistances.empty()) {
            const double distance = plainDistances.front();
            plainDistances.erase(plainDistances.begin());
            return distance;
        }
        return length(residual);
    }

    std::function<VECTOR3(const VECTOR3 &)> response;
    std::vector<double> plainDistances;  // replaces the distance of plain evaluations, in turn
    std::vector<int> modes;
};

const VECTOR3 kSolution = {{1.0, -2.0, 0.5}};

VECTOR3 LinearMiss(const VECTOR3 &x) {
    const VECTOR3 d = x - kSolution;
    return _V(3.0 * d.x + d.y, -d.x + 2.0 * d.y + 0.5 * d.z, d.y - 4.0 * d.z) * 1e6;
}

TEST(PleSolve, LinearMissIsSolvedAndTheLimitIsTestedFirst) {
    for (double factor : {1000.0, 1.0, 0.00001}) {
        ScriptedMiss ple;
        ple.response = LinearMiss;
        VECTOR3 x = _V(0.1, 0.2, -0.3);
        // The first pass lands on the solution; the second finds nothing left.
        EXPECT_EQ(ple.SolveIncrement(x, 0.001, 10, factor), 2) << factor;
        EXPECT_LT(length(x - kSolution), 1e-9);
        EXPECT_EQ(ple.modes, (std::vector<int>{0, 1, 1, 1, 0, 1, 1, 1, 0}));
        EXPECT_FALSE(ple.singularSolve);
    }
    ScriptedMiss ple;
    ple.response = LinearMiss;
    VECTOR3 x = _V(0.1, 0.2, -0.3);
    EXPECT_EQ(ple.SolveIncrement(x, 0.001, 2, 1000.0), -2);  // converged, but at the limit
    x = _V(0.1, 0.2, -0.3);
    EXPECT_EQ(ple.SolveIncrement(x, 0.001, 1, 1000.0), -1);
    EXPECT_LT(length(x - kSolution), 1e-9);
    x = _V(0.1, 0.2, -0.3);
    EXPECT_EQ(ple.SolveIncrement(x, 0.001, 0, 1000.0), -1);  // one pass always runs
}

// Each component misses by x^2 - 4. The probe's difference quotient of such a
// miss is 2x + d for a probe step d, so one pass moves x to
// x - (x^2 - 4) / (2x + d) with d = -|x| * factor: the step depends on the
// probe's size and sign, where a linear miss cannot tell them apart.
VECTOR3 SquareMiss(const VECTOR3 &x) { return _V(x.x * x.x - 4.0, x.y * x.y - 4.0, x.z * x.z - 4.0); }

TEST(PleSolve, ProbeStepIsMinusTheComponentsSizeTimesTheFactor) {
    struct Case {
        double factor;
        VECTOR3 afterOnePass;
    };
    // From (1.5, -1.5, 3): the quotients are 1.5 (2 - f), -1.5 (2 + f), 3 (2 - f).
    for (const Case &c : {Case{1.0, _V(1.5 + 1.75 / 1.5, -1.5 - 1.75 / 4.5, 3.0 - 5.0 / 3.0)},
                          Case{1000.0, _V(1.5 - 1.75 / 1497.0, -1.5 - 1.75 / 1503.0, 3.0 + 5.0 / 2994.0)}}) {
        ScriptedMiss ple;
        ple.response = SquareMiss;
        VECTOR3 x = _V(1.5, -1.5, 3.0);
        EXPECT_EQ(ple.SolveIncrement(x, 0.001, 1, c.factor), -1) << c.factor;
        EXPECT_NEAR(x.x, c.afterOnePass.x, 1e-12) << c.factor;
        EXPECT_NEAR(x.y, c.afterOnePass.y, 1e-12) << c.factor;
        EXPECT_NEAR(x.z, c.afterOnePass.z, 1e-12) << c.factor;
    }
}

TEST(PleSolve, MissMoreThanDoublingRestoresThePreviousIncrement) {
    ScriptedMiss ple;
    ple.response = LinearMiss;
    VECTOR3 x = _V(0.1, 0.2, -0.3);
    ple.plainDistances = {1.0, 2.5};
    EXPECT_EQ(ple.SolveIncrement(x, 0.001, 10, 1000.0), 0);
    EXPECT_EQ(x.x, 0.1);
    EXPECT_EQ(x.z, -0.3);

    // Exactly twice the miss goes on; more than twice the next one stops
    // with the increment of the pass before.
    x = _V(0.1, 0.2, -0.3);
    ple.plainDistances = {1.0, 2.0, 4.1};
    EXPECT_EQ(ple.SolveIncrement(x, 0.001, 10, 1000.0), -1);
    EXPECT_LT(length(x - kSolution), 1e-9);
    EXPECT_FALSE(ple.singularSolve);

    // A miss that is no number is no better.
    x = _V(0.1, 0.2, -0.3);
    ple.plainDistances = {1.0, NAN};
    EXPECT_EQ(ple.SolveIncrement(x, 0.001, 10, 1000.0), 0);
    EXPECT_EQ(x.y, 0.2);
    EXPECT_TRUE(ple.singularSolve);
}

TEST(PleSolve, UnusableJacobianStopsWithXUnchanged) {
    ScriptedMiss ple;
    ple.response = LinearMiss;
    // A zero component has no probe step.
    VECTOR3 x = _V(0.1, 0.0, -0.3);
    EXPECT_EQ(ple.SolveIncrement(x, 0.001, 10, 1000.0), 0);
    EXPECT_TRUE(ple.singularSolve);
    EXPECT_EQ(x.y, 0.0);
    EXPECT_EQ(x.x, 0.1);
    EXPECT_EQ(ple.modes.size(), 2u);  // the miss and the first probe

    // A miss that does not depend on one component: singular Jacobian.
    ple.response = [](const VECTOR3 &x) { return _V(x.x + x.y, x.x - x.y, 2.0 * x.x); };
    x = _V(0.1, 0.2, -0.3);
    EXPECT_EQ(ple.SolveIncrement(x, 0.001, 10, 1.0), 0);
    EXPECT_TRUE(ple.singularSolve);
    EXPECT_EQ(x.z, -0.3);

    // A residual that is no number.
    ple.response = [](const VECTOR3 &) { return _V(NAN, 0.0, 0.0); };
    EXPECT_EQ(ple.SolveIncrement(x, 0.001, 10, 1.0), 0);
    EXPECT_TRUE(ple.singularSolve);
    EXPECT_EQ(x.x, 0.1);

    // Once a pass has updated x, the count is minus the passes made: here the
    // first pass puts z on 0, which the second cannot probe.
    ple.response = [](const VECTOR3 &y) { return _V(y.x - 1.0, y.y + 2.0, y.z); };
    x = _V(0.1, 0.2, -0.3);
    EXPECT_EQ(ple.SolveIncrement(x, 0.001, 10, 1.0), -1);
    EXPECT_EQ(x.z, 0.0);
    EXPECT_TRUE(ple.singularSolve);
}

TEST(PleSolve, ControlWordsChooseLimitAndProbeFactor) {
    struct Row {
        int word, limit;
        double factor;
    };
    const Row rows[] = {{2, 1, 1000.0},   {10, 9, 1000.0},   {99, 98, 1000.0},   {100, 0, 100.0},
                        {150, 50, 100.0}, {200, 0, 10.0},    {301, 1, 1.0},      {310, 10, 1.0},
                        {405, 5, 0.1},    {599, 99, 0.01},   {600, 0, 0.001},    {701, 1, 0.0001},
                        {850, 50, 100.0}, {999, 99, 1000.0}, {1000, 1, 0.00001}, {2000000000, 1, 0.00001}};
    for (const Row &row : rows) {
        int limit = -7;
        double factor = -7.0;
        PleProgram::SolveSettings(row.word, limit, factor);
        EXPECT_EQ(limit, row.limit) << row.word;
        EXPECT_EQ(factor, row.factor) << row.word;
    }
}

TEST(PleSolve, NegativeWordSeedsTheIncrementOnly) {
    PleProgram ple(nullptr);
    EXPECT_EQ(ple.Run(-5), 0.0);
    EXPECT_EQ(ple.deltaV.x, 0.05);
    EXPECT_EQ(ple.deltaV.y, 0.05);
    EXPECT_EQ(ple.deltaV.z, 0.05);
    EXPECT_STREQ(ple.resultLines[0], " ");
    EXPECT_EQ(ple.startMjd, 0.0);
    EXPECT_EQ(ple.propagationCount, 0);
}

TEST(PleSolve, NewProgramDefaults) {
    PleProgram ple(nullptr);
    EXPECT_EQ(ple.directionRecordLine, 0);
    EXPECT_EQ(ple.burnRecordLine, 1);
    EXPECT_DOUBLE_EQ(ple.directionTime * 86400.0, -1.0);
    EXPECT_DOUBLE_EQ(ple.burnTimeOffset * 86400.0, -300.0);
    for (const char *line : ple.resultLines) EXPECT_STREQ(line, " ");
    EXPECT_STREQ(ple.directionRecord, " ");
    EXPECT_STREQ(ple.burnRecord, " ");
    EXPECT_EQ(ple.deltaV.z, 0.1);
    EXPECT_DOUBLE_EQ(ple.entryAngleOffset, 1.66 * 3.14159265358979 / 180.0);
    EXPECT_EQ(ple.accuracyClass, 0);
}

}  // namespace
