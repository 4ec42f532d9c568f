// PLE against the simulator: a spacecraft 18 days before its Earth entry,
// designed in the simulator's own gravity by the Earth entry tool to miss
// the program's target by some hundred km (the scenario's start state).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DesignedProbes.h"
#include "EarthEntry.h"
#include "EntryClosure.h"
#include "ObjectHandles.h"
#include "PleProgram.h"
#include "core/Simulation.h"

using testsupport::BodyByName;

namespace {

// The figures of a "Tru=" or "Tar=" line.
struct PeriapsisLine {
    double mjd, seconds, radius, speed, inclination, longitude, latitude;
};

bool ReadPeriapsisLine(const char *line, const char *label, PeriapsisLine &out) {
    char format[96];
    std::snprintf(format, sizeof(format), "%s MJD%%lf dT %%lf R %%lf V %%lf ЭкН %%lfД %%lf Ш %%lf", label);
    return std::sscanf(line, format, &out.mjd, &out.seconds, &out.radius, &out.speed, &out.inclination,
                       &out.longitude, &out.latitude) == 7;
}

struct MissLine {
    int accuracyClass;
    double missKm, increment, ux, uy, uz, excessSpeed;
};

bool ReadMissLine(const char *line, MissLine &out) {
    return std::sscanf(line, "Err=<%d> %lf км (%lf) || NN %lf %lf %lf %lf", &out.accuracyClass, &out.missKm,
                       &out.increment, &out.ux, &out.uy, &out.uz, &out.excessSpeed) == 7;
}

// The inclination to the Earth's equator worked out from the equator's pole
// in ecliptic axes, (0, cos e, sin e), and the orbit's normal.
double InclinationToEquator(const VECTOR3 &r, const VECTOR3 &v) {
    const double obliquity = oapiGetPlanetObliquity(BodyByName("Earth"));
    const VECTOR3 normal = unit(crossp(v, r));  // left-handed axes
    return std::acos(dotp(normal, _V(0.0, std::cos(obliquity), std::sin(obliquity)))) * DEG;
}

// One simulator with the probe for all tests; the last test flies it.
class PleProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        probe = new testsupport::EarthEntryProbe;
        ASSERT_NE(probe->vessel(), nullptr) << probe->error();
        uncorrected = earth_entry::FindArrival(probe->ephemeris(), probe->gravity(), probe->start, 30.0);
        simulation = &probe->simulation();
        vessel = probe->vessel();
    }
    static void TearDownTestSuite() {
        delete probe;
        probe = nullptr;
    }

    // Puts the probe on a global state at the present date (restore with
    // the returned status).
    static VESSELSTATUS MoveProbe(const VECTOR3 &position, const VECTOR3 &velocity) {
        VESSELSTATUS saved;
        vessel->GetStatus(saved);
        OBJHANDLE sun = BodyByName("Sun");
        VECTOR3 sunPos, sunVel;
        oapiGetGlobalPos(sun, &sunPos);
        oapiGetGlobalVel(sun, &sunVel);
        VESSELSTATUS moved = saved;
        moved.rbody = sun;
        moved.rpos = position - sunPos;
        moved.rvel = velocity - sunVel;
        vessel->DefSetState(&moved);
        return saved;
    }

    static testsupport::EarthEntryProbe *probe;
    static sim::Simulation *simulation;
    static VESSEL *vessel;
    static earth_entry::Arrival uncorrected;
};

testsupport::EarthEntryProbe *PleProgramTest::probe = nullptr;
sim::Simulation *PleProgramTest::simulation = nullptr;
VESSEL *PleProgramTest::vessel = nullptr;
earth_entry::Arrival PleProgramTest::uncorrected;

TEST_F(PleProgramTest, ZeroWordReportsTheUnpoweredEntry) {
    PleProgram ple(vessel);
    ple.Run(-5);
    std::strcpy(ple.directionRecord, "old");
    EXPECT_EQ(ple.Run(0), 0.0);
    EXPECT_EQ(ple.deltaV.x, 0.05);
    EXPECT_STREQ(ple.directionRecord, "old");
    EXPECT_STREQ(ple.burnRecord, " ");
    EXPECT_STREQ(ple.resultLines[3], " ");
    EXPECT_EQ(ple.startMjd, oapiGetSimMJD());
    EXPECT_EQ(ple.propagationCount, 1);
    std::printf("PLE 0: %s\n       %s\n       %s\n", ple.resultLines[0], ple.resultLines[1],
                ple.resultLines[2]);

    PeriapsisLine achieved, aimed;
    MissLine miss;
    ASSERT_TRUE(ReadPeriapsisLine(ple.resultLines[0], "Tru=", achieved)) << ple.resultLines[0];
    ASSERT_TRUE(ReadPeriapsisLine(ple.resultLines[1], "Tar=", aimed)) << ple.resultLines[1];
    ASSERT_TRUE(ReadMissLine(ple.resultLines[2], miss)) << ple.resultLines[2];
    // The unpowered entry as the simulator flies it: its periapsis, and its
    // miss of the design's target (which moves a little with the approach).
    EXPECT_NEAR(achieved.mjd, uncorrected.osculatingMjd, 2e-4);
    EXPECT_NEAR(achieved.radius, length(uncorrected.osculatingPosition) / 1000.0, 5.0);
    EXPECT_NEAR(achieved.seconds, (achieved.mjd - oapiGetSimMJD()) * 86400.0, 10.0);
    const double designMiss =
        length(uncorrected.osculatingPosition - probe->target.periapsisPosition) / 1000.0;
    EXPECT_NEAR(miss.missKm, designMiss, 0.1 * designMiss);
    EXPECT_GT(miss.missKm, 200.0);
    EXPECT_EQ(miss.accuracyClass, 1);
    EXPECT_EQ(miss.increment, 0.0);
    EXPECT_NEAR(miss.excessSpeed, probe->design.vInfinity, 5.0);
    EXPECT_NEAR(aimed.radius, ple.entry.entryPeriapsisRadius / 1000.0, 0.06);
}

// With the state the design started from (no offset) the program's target is
// the design's: the design worked it out with a construction of its own.
TEST_F(PleProgramTest, TargetOfTheDesignedApproachIsTheDesignTarget) {
    const VESSELSTATUS saved =
        MoveProbe(probe->start.position, probe->start.velocity - probe->design.velocityOffset);
    PleProgram ple(vessel);
    ple.Run(0);
    vessel->DefSetState(&saved);
    const EntryGeometry &g = ple.entry;
    std::printf(
        "designed approach: target periapsis %.3f km and %+.2f s from the design's, ground point %.3f km\n",
        length(g.targetPeriapsis - probe->target.periapsisPosition) / 1000.0,
        (g.targetMjd - probe->target.groundMjd) * 86400.0,
        length(g.targetGround - probe->target.groundPoint) / 1000.0);
    EXPECT_LT(length(g.targetPeriapsis - probe->target.periapsisPosition), 3000.0);
    EXPECT_NEAR(g.targetMjd, probe->target.groundMjd, 2.0 / 86400.0);
    EXPECT_NEAR(g.entryToPeriapsis, probe->target.entryToPeriapsis, 0.5);
    EXPECT_LT(length(g.targetGround - probe->target.groundPoint), 3000.0);
    EXPECT_LT(length(g.approachDirection - probe->target.approachDirection), 1e-4);
    EXPECT_LT(length(g.periapsisPosition - probe->target.periapsisPosition), 3000.0);
    EXPECT_EQ(ple.accuracyClass, 2);
}

TEST_F(PleProgramTest, FirstGuessReplacesTheIncrementAndKeepsTheRecords) {
    PleProgram ple(vessel);
    std::strcpy(ple.directionRecord, "210;old;");
    std::strcpy(ple.burnRecord, "130;old;");
    EXPECT_EQ(ple.Run(1), 0.0);
    EXPECT_STREQ(ple.directionRecord, "210;old;");
    EXPECT_STREQ(ple.burnRecord, "130;old;");
    EXPECT_EQ(ple.propagationCount, 2);
    EXPECT_TRUE(std::isfinite(length(ple.deltaV)));
    EXPECT_GT(length(ple.deltaV), 0.01);
    MissLine miss;
    ASSERT_TRUE(ReadMissLine(ple.resultLines[2], miss)) << ple.resultLines[2];
    EXPECT_NEAR(miss.increment, length(ple.deltaV), 0.0005);
    std::printf("PLE 1: %s\n", ple.resultLines[2]);
}

TEST_F(PleProgramTest, OneIterationWordsFormTheRecordsEveryTime) {
    for (int word : {2, 100, 301, 1000}) {
        PleProgram ple(vessel);
        ple.Run(-10);
        const double answer = ple.Run(word);
        // The miss, three probes, the miss after the update; then the report.
        EXPECT_EQ(ple.propagationCount, 6) << word;
        EXPECT_TRUE(answer == -1.0 || answer == 0.0) << word << ": " << answer;
        char expected[110];
        std::snprintf(expected, sizeof(expected), "130;-0.00347;0;%.4f;", length(ple.deltaV));
        EXPECT_STREQ(ple.burnRecord, expected) << word;
        const VECTOR3 u = ple.deltaV / length(ple.deltaV);
        std::snprintf(expected, sizeof(expected), "210;-0.00001;%.4f;%.4f;%.4f;", u.x, u.y, u.z);
        EXPECT_STREQ(ple.directionRecord, expected) << word;
        std::printf("PLE %d -> %.1f: %s\n", word, answer, ple.resultLines[2]);
    }
}

TEST_F(PleProgramTest, InclinationsAreThoseOfTheTwoOrbits) {
    PleProgram ple(vessel);
    ple.Run(0);
    PeriapsisLine achieved, aimed;
    ASSERT_TRUE(ReadPeriapsisLine(ple.resultLines[0], "Tru=", achieved));
    ASSERT_TRUE(ReadPeriapsisLine(ple.resultLines[1], "Tar=", aimed));
    const EntryGeometry &g = ple.entry;
    EXPECT_NEAR(achieved.inclination, InclinationToEquator(g.periapsisPosition, g.periapsisVelocity), 0.0051);
    // The target orbit moves across the target periapsis toward the approach
    // direction's side: its normal is that of (Tp, u).
    EXPECT_NEAR(aimed.inclination, InclinationToEquator(g.targetPeriapsis, g.approachDirection), 0.0051);
    EXPECT_GT(std::fabs(achieved.inclination - aimed.inclination), 0.5);  // 300 km apart: different planes
}

TEST_F(PleProgramTest, NoApproachWithinTheDurationIsClassZero) {
    // 0.3 AU behind the Earth, drifting toward it at 500 m/s: no closest
    // approach within the 3,000,000 s of the propagation.
    VECTOR3 earthPos, earthVel;
    oapiGetGlobalPos(BodyByName("Earth"), &earthPos);
    oapiGetGlobalVel(BodyByName("Earth"), &earthVel);
    const VECTOR3 behind = unit(earthVel);
    const VESSELSTATUS saved = MoveProbe(earthPos - behind * 4.5e10, earthVel + behind * 500.0);
    PleProgram ple(vessel);
    ple.Run(0);
    vessel->DefSetState(&saved);
    EXPECT_EQ(ple.accuracyClass, 0);
    EXPECT_EQ(std::strncmp(ple.resultLines[2], "Err=<0> ", 8), 0) << ple.resultLines[2];
}

}  // namespace

namespace {

// Runs last: it flies the simulation. The solve with probe factor 1 finds
// the design's offset back; the increment applied in the simulator 600 s
// after the command puts the simulator's own periapsis on the "Tar=" point.
TEST_F(PleProgramTest, ClosureInTheSimulator) {
    PleProgram ple(vessel);
    ple.Run(-10);
    ple.Run(1);
    const double answer = ple.Run(310);
    std::printf("PLE 310: %.1f (%ld propagations) %s\n", answer, ple.propagationCount, ple.resultLines[2]);
    EXPECT_GT(answer, 0.0);
    MissLine miss;
    ASSERT_TRUE(ReadMissLine(ple.resultLines[2], miss));
    EXPECT_EQ(miss.accuracyClass, 2);
    EXPECT_LT(miss.missKm, 1.0);
    EXPECT_LT(length(ple.deltaV + probe->design.velocityOffset), 0.01);

    const EntryGeometry aimed = ple.entry;
    const double aimedMjd = aimed.targetMjd + aimed.entryToPeriapsis / 86400.0;
    ASSERT_TRUE(probe->applyIncrementAt(600.0, ple.deltaV));

    // The simulator flies the vessel to about an hour before the periapsis.
    simulation->setTimeAcceleration(1000.0);
    while (simulation->mjd() < aimedMjd - 1.0 / 24.0 - 1000.0 / 86400.0) simulation->frame();
    const EntryClosure closure = MeasureClosure(*simulation, vessel->GetHandle(), aimed);
    ExpectClosureOnTheTarget(closure);
}

}  // namespace
