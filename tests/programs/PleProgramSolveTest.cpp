// The Newton iteration of PLE on miss functions of known shape, its control
// words, and the landing-site construction of the entry geometry.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "EntryGeometry.h"
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

// Points of the landing-site construction: on the sphere, with the wanted
// projection on u, and (when crossed) at the latitude.
TEST(EntryGeometry, LatitudeCandidatesInEveryCase) {
    const double R = 6371000.0, lat = 45.9375 * RAD;
    const VECTOR3 u = unit(_V(0.3, -0.2, 0.9));
    VECTOR3 a, b;
    ASSERT_EQ(LatitudeCandidates(u, R * std::cos(80.0 * RAD), R, lat, a, b), kLatitudeCrossed);
    for (const VECTOR3 &c : {a, b}) {
        EXPECT_NEAR(length(c), R, 1e-6);
        EXPECT_NEAR(c.y, R * std::sin(lat), 1e-6);
        EXPECT_NEAR(dotp(c, u), R * std::cos(80.0 * RAD), 1e-6);
    }
    EXPECT_GT(length(a - b), 1e6);

    // A cone of 20 degrees about a direction near the pole never comes down to
    // the latitude: its point in the plane of u and the pole, on the pole side.
    const VECTOR3 polar = unit(_V(0.1, 0.99, 0.05));
    ASSERT_EQ(LatitudeCandidates(polar, R * std::cos(20.0 * RAD), R, lat, a, b), kNearestOnCircle);
    EXPECT_NEAR(length(a), R, 1e-6);
    EXPECT_NEAR(dotp(a, polar), R * std::cos(20.0 * RAD), 1e-6);
    EXPECT_NEAR(dotp(a, _V(-polar.z, 0.0, polar.x)), 0.0, 1e-6);
    EXPECT_GT(dotp(a, _V(0.0, 1.0, 0.0) - polar * polar.y), 0.0);  // turned from u toward the pole
    EXPECT_EQ(a.x, b.x);

    // A projection beyond the radius has no real point at all: the nearest
    // real one, on the line toward the pole side, with no NaN.
    ASSERT_EQ(LatitudeCandidates(u, R * 1.0001, R, lat, a, b), kNoRealPointOnCircle);
    ASSERT_TRUE(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z));
    EXPECT_NEAR(dotp(a, u), R * 1.0001, 1e-6);
    EXPECT_NEAR(dotp(a, _V(-u.z, 0.0, u.x)), 0.0, 1e-6);
    EXPECT_NEAR(length(a - u * dotp(a, u)), 0.0, 1e-3);  // on u itself: the line's point nearest the centre
    EXPECT_EQ(a.z, b.z);
}

}  // namespace
