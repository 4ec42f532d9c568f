// Checkpoint tables against the simulator's ephemeris.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "BodyEphemeris.h"
#include "CheckpointTable.h"
#include "DesignedProbes.h"

using testsupport::SharedEarthReturnProbe;

namespace {

const double kG = 6.67259e-11;
const double kOneSecond = 1.0 / 86400.0;

class CheckpointTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(SharedEarthReturnProbe().vessel(), nullptr) << SharedEarthReturnProbe().error();
    }
    const double start = 43610.25;
};

double MassOf(const char *name) { return oapiGetMass(BodyByName(name)); }

TEST_F(CheckpointTableTest, CountRuleRunsForwardAlsoWhenTheEndIsEarlier) {
    CheckpointTable table;
    ASSERT_TRUE(table.Build("Mars", start, start + 0.4, 1.0));
    EXPECT_EQ(table.count, 1);  // 0.4 / 1 truncates to 0, which becomes 1
    EXPECT_EQ(table.records[0].epoch, start);

    ASSERT_TRUE(table.Build("Mars", start, start - 2.6, -0.5));  // replaces the table
    EXPECT_EQ(table.count, 5);
    EXPECT_EQ(table.step, 0.5);
    EXPECT_EQ(table.startMjd, start);
    for (int i = 0; i < table.count; ++i) EXPECT_EQ(table.records[i].epoch, start + 0.5 * i);
    EXPECT_EQ(table.mass, MassOf("Mars"));

    table.Clear();
    EXPECT_EQ(table.count, 0);
    EXPECT_EQ(table.records, nullptr);
}

TEST_F(CheckpointTableTest, CheckpointsHoldTheEphemerisStateAboutTheirCentralBody) {
    CheckpointTable moon, venus;
    ASSERT_TRUE(moon.Build("Moon", start, start + 3.0, 1.0));
    ASSERT_TRUE(venus.Build("Venus", start, start + 3.0, 1.0));
    EXPECT_EQ(moon.records[1].mu, kG * MassOf("Earth"));
    EXPECT_EQ(venus.records[1].mu, kG * MassOf("Sun"));

    // The velocity is the one-second difference of positions, not the
    // ephemeris velocity.
    const double t = moon.records[2].epoch;
    const VECTOR3 now = EphemerisPosition(t, "Moon");
    const VECTOR3 velocity = EphemerisPosition(t + kOneSecond, "Moon") - now;
    EXPECT_EQ(moon.records[2].position.x, now.x);
    EXPECT_EQ(moon.records[2].velocity.z, velocity.z);
    EXPECT_GT(moon.records[2].semiMajorAxis, 3.0e8);  // elements filled: the Moon's orbit about the Earth
    EXPECT_LT(moon.records[2].semiMajorAxis, 4.5e8);
}

TEST_F(CheckpointTableTest, StateAtUsesTheNearestCheckpointAndClampsAtTheEnds) {
    CheckpointTable table;
    ASSERT_TRUE(table.Build("Earth", start, start + 4.0, 1.0));
    VECTOR3 pos, vel;
    struct {
        double mjd;
        int checkpoint;
    } cases[] = {{start - 3.0, 0},  {start + 0.49, 0}, {start + 0.5, 1},  // halfway: the later one
                 {start + 1.51, 2}, {start + 3.2, 3},  {start + 40.0, 3}};
    for (const auto &c : cases) {
        EXPECT_EQ(table.StateAt(c.mjd, pos, vel), kG * table.mass) << c.mjd;
        // The chosen checkpoint's record takes the date.
        EXPECT_EQ(table.records[c.checkpoint].epoch, c.mjd) << c.mjd;
    }

    // Half a day from a checkpoint the two-body position stays near the
    // ephemeris (the Moon's pull on the Earth is what it leaves out).
    table.StateAt(start + 2.5, pos, vel);
    EXPECT_LT(length(pos - EphemerisPosition(start + 2.5, "Earth")), 100e3);
    EXPECT_NEAR(length(vel), 29.9e3, 1.5e3);
}

TEST_F(CheckpointTableTest, EmptyTableAnswersMinusOneAndLeavesTheOutputs) {
    CheckpointTable table;
    VECTOR3 pos = _V(1, 2, 3), vel = _V(4, 5, 6);
    EXPECT_EQ(table.StateAt(start, pos, vel), -1.0);
    EXPECT_EQ(table.PositionAt(start, pos), -1.0);
    EXPECT_EQ(pos.y, 2.0);
    EXPECT_EQ(vel.z, 6.0);
}

TEST_F(CheckpointTableTest, RefusedBuildsLeaveTheTableEmpty) {
    CheckpointTable table;
    ASSERT_TRUE(table.Build("Mars", start, start + 2.0, 1.0));
    EXPECT_FALSE(table.Build("Mars", start, start + 2.0, 0.0));  // no step
    EXPECT_EQ(table.count, 0);
    EXPECT_FALSE(table.Build("Mars", start, start + 30.0, 1e-4));  // 300,000 checkpoints
    EXPECT_FALSE(table.Build("Mars", start, HUGE_VAL, 1.0));
    EXPECT_EQ(table.count, 0);
    EXPECT_TRUE(table.Build("Mars", start, start, 1e-300));  // no span: one checkpoint
    EXPECT_EQ(table.count, 1);
}

TEST_F(CheckpointTableTest, PositionAtGivesStateAtsPositionToTheLastBit) {
    const char *names[] = {"Earth", "Moon", "Mars", "Jupiter", "Venus", "Saturn"};
    for (const char *name : names) {
        CheckpointTable table;
        ASSERT_TRUE(table.Build(name, start, start + 10.0, 1.0));
        for (int k = -20; k < 260; ++k) {
            const double mjd = start + k * 0.0437;
            VECTOR3 fast = _V(0, 0, 0), plain = _V(0, 0, 0), vel;
            const double gmFast = table.PositionAt(mjd, fast);
            const double gmPlain = table.StateAt(mjd, plain, vel);
            ASSERT_EQ(gmFast, gmPlain);
            ASSERT_TRUE(std::memcmp(&fast, &plain, sizeof(fast)) == 0) << name << " at " << mjd;
        }
    }
}

}  // namespace
