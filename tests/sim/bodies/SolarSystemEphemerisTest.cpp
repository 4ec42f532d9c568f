#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "EphemerisFixture.h"
#include "FileContents.h"
#include "TemporaryFolder.h"
#include "bodies/SolarSystemEphemeris.h"

using sim::BodyId;

namespace {

double maxAbsDifference(const VECTOR3 &a, const VECTOR3 &b) {
    return std::fmax(std::fabs(a.x - b.x), std::fmax(std::fabs(a.y - b.y), std::fabs(a.z - b.z)));
}

VECTOR3 kilometres(double x, double y, double z) { return _V(x * 1e3, y * 1e3, z * 1e3); }

BodyId bodyByName(const std::string &name) {
    for (int i = 0; i < sim::kBodyCount; ++i) {
        if (name == sim::bodyConstants(BodyId(i)).name) return BodyId(i);
    }
    ADD_FAILURE() << "unknown body " << name;
    return BodyId::Sun;
}

void relativeState(BodyId body, BodyId origin, double mjd, VECTOR3 &pos, VECTOR3 &vel) {
    VECTOR3 originPos, originVel;
    installedEphemeris().state(body, mjd, pos, vel);
    installedEphemeris().state(origin, mjd, originPos, originVel);
    pos -= originPos;
    vel -= originVel;
}

}  // namespace

TEST(SolarSystemEphemeris, SpanCoversNineteenSeventyToEightyNine) {
    const sim::SolarSystemEphemeris &eph = installedEphemeris();
    ASSERT_TRUE(eph.loaded());
    EXPECT_EQ(eph.firstMjd(), 40560.0);
    EXPECT_EQ(eph.lastMjd(), 47920.0);
    EXPECT_TRUE(eph.covers(40587.0));
    EXPECT_TRUE(eph.covers(47892.0));
    EXPECT_TRUE(eph.covers(eph.firstMjd()));
    EXPECT_TRUE(eph.covers(eph.lastMjd()));
    EXPECT_FALSE(eph.covers(40559.999));
    EXPECT_FALSE(eph.covers(47920.001));
    EXPECT_FALSE(eph.covers(51544.5));
    EXPECT_FALSE(eph.covers(std::nan("")));
}

// Heliocentric states at MJD 43644.0 (TDB), published to the km (the Moon's
// to the metre) and mm/s; Earth lands 8 m beyond the half-km of rounding.
TEST(SolarSystemEphemeris, MatchesPublishedStatesAtMjd43644) {
    const double mjd = 43644.0;
    struct Case {
        BodyId body, origin;
        VECTOR3 pos, vel;
        double posTolerance;
    } cases[] = {
        {BodyId::Earth, BodyId::Sun, kilometres(-86566760, -6236, -124029498),
         kilometres(23.947646, -0.001655, -17.149146), 1000.0},
        {BodyId::Mars, BodyId::Sun, kilometres(-245796735, 6763205, 33956883),
         kilometres(-2.404471, -0.400127, -21.934149), 1000.0},
        {BodyId::Moon, BodyId::Earth, kilometres(-352052.828, -18969.902, 181533.275),
         kilometres(-0.407724, 0.077019, -0.895115), 0.6},
    };
    for (const Case &c : cases) {
        VECTOR3 pos, vel;
        relativeState(c.body, c.origin, mjd, pos, vel);
        const double posError = maxAbsDifference(pos, c.pos);
        const double velError = maxAbsDifference(vel, c.vel);
        EXPECT_LT(posError, c.posTolerance) << sim::bodyConstants(c.body).name;
        EXPECT_LT(velError, 6e-4) << sim::bodyConstants(c.body).name;
        std::printf("%-6s vs published: position %.3f m, velocity %.2e m/s\n",
                    sim::bodyConstants(c.body).name, posError, velError);
    }
}

// States evaluated straight from the casacore DE405 table by
// tools/de405/make_reference.py.
TEST(SolarSystemEphemeris, MatchesCasacoreTableEvaluation) {
    std::ifstream file(std::string(OKUL_SOURCE_DIR) + "/tests/sim/bodies/de405_reference.txt");
    ASSERT_TRUE(file) << "reference file missing";
    std::string line;
    int count = 0;
    double worstPos = 0.0, worstVel = 0.0;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream in(line);
        double mjd;
        std::string name;
        VECTOR3 refPos, refVel;
        in >> mjd >> name >> refPos.x >> refPos.y >> refPos.z >> refVel.x >> refVel.y >> refVel.z;
        ASSERT_FALSE(in.fail()) << line;
        VECTOR3 pos, vel;
        installedEphemeris().state(bodyByName(name), mjd, pos, vel);
        const double posError = maxAbsDifference(pos, refPos);
        const double velError = maxAbsDifference(vel, refVel);
        EXPECT_LT(posError, 1e-2) << name << " at " << mjd;
        EXPECT_LT(velError, 1e-8) << name << " at " << mjd;
        worstPos = std::fmax(worstPos, posError);
        worstVel = std::fmax(worstVel, velError);
        ++count;
    }
    EXPECT_EQ(count, 24 * 8);
    std::printf("vs casacore table, %d states: position %.2e m, velocity %.2e m/s\n", count, worstPos,
                worstVel);
}

// Velocity is the derivative of position, and the series join where blocks
// (every 32 days) and sub-intervals (Moon every 4 days) meet: DE405's own fits
// leave steps of a few metres (Mercury up to about 5 m, 5e-6 m/s) there; a
// wrong block or sub-interval would jump by thousands of kilometres.
TEST(SolarSystemEphemeris, StatesAreSmoothAcrossSubIntervalsAndBlocks) {
    const double boundaries[] = {40592.0, 42420.0, 42424.0, 45008.0};
    const double step = 1.0 / 1440.0;  // one minute
    for (int b = 0; b < sim::kBodyCount; ++b) {
        const BodyId body = BodyId(b);
        for (double boundary : boundaries) {
            VECTOR3 before, after, velBefore, velAfter, unused;
            installedEphemeris().state(body, boundary - 1e-9, before, velBefore);
            installedEphemeris().state(body, boundary, after, velAfter);
            EXPECT_LT(maxAbsDifference(before, after), 10.0)
                << sim::bodyConstants(body).name << " " << boundary;
            EXPECT_LT(maxAbsDifference(velBefore, velAfter), 1e-5) << sim::bodyConstants(body).name;

            VECTOR3 early, late;
            installedEphemeris().state(body, boundary - step, early, unused);
            installedEphemeris().state(body, boundary + step, late, unused);
            const VECTOR3 slope = (late - early) / (2.0 * step * 86400.0);
            EXPECT_LT(maxAbsDifference(slope, velAfter), 1e-3 * (1.0 + length(velAfter) * 1e-3))
                << sim::bodyConstants(body).name << " " << boundary;
        }
    }
}

TEST(SolarSystemEphemeris, DatesOutsideTheSpanAnswerTheNearestEnd) {
    const sim::SolarSystemEphemeris &eph = installedEphemeris();
    VECTOR3 edgePos, edgeVel, pos, vel;
    eph.state(BodyId::Mars, eph.firstMjd(), edgePos, edgeVel);
    eph.state(BodyId::Mars, 30000.0, pos, vel);
    EXPECT_EQ(maxAbsDifference(pos, edgePos), 0.0);
    EXPECT_EQ(maxAbsDifference(vel, edgeVel), 0.0);
    eph.state(BodyId::Moon, eph.lastMjd(), edgePos, edgeVel);
    for (double farAway : {60000.0, 1e300, HUGE_VAL}) {
        eph.state(BodyId::Moon, farAway, pos, vel);
        EXPECT_EQ(maxAbsDifference(pos, edgePos), 0.0) << farAway;
    }
    eph.state(BodyId::Earth, std::nan(""), pos, vel);
    EXPECT_TRUE(std::isfinite(pos.x) && std::isfinite(vel.z));
}

TEST(SolarSystemEphemeris, RefusesMissingAndDamagedFiles) {
    sim::SolarSystemEphemeris eph;
    std::string error;
    EXPECT_FALSE(eph.load("/nonexistent/de405.bin", error));
    EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
    EXPECT_FALSE(eph.loaded());
    EXPECT_FALSE(eph.covers(43644.0));
    VECTOR3 pos, vel;
    eph.state(BodyId::Earth, 43644.0, pos, vel);
    EXPECT_EQ(length(pos), 0.0);

    const std::string installed = testsupport::ReadFile(testsupport::BuildEphemerisFile());
    const std::vector<char> bytes(installed.begin(), installed.end());
    ASSERT_GT(bytes.size(), 10000u);
    const testsupport::TemporaryFolder folder;
    auto writeAndLoad = [&](const std::vector<char> &content) {
        const std::string damaged =
            folder.writeFile("de405.bin", std::string(content.begin(), content.end()));
        error.clear();
        return eph.load(damaged, error);
    };

    std::vector<char> truncated(bytes.begin(), bytes.end() - 8);
    EXPECT_FALSE(writeAndLoad(truncated));
    EXPECT_FALSE(error.empty());
    std::vector<char> badMagic = bytes;
    badMagic[0] = 'X';
    EXPECT_FALSE(writeAndLoad(badMagic));
    std::vector<char> badLayout = bytes;
    badLayout[56 + 8] = 120;  // Mercury: 120 coefficients per component
    EXPECT_FALSE(writeAndLoad(badLayout));
    std::vector<char> swappedBlock = bytes;
    swappedBlock[184 + 7] ^= 0x01;  // first block's start date
    EXPECT_FALSE(writeAndLoad(swappedBlock));
    EXPECT_FALSE(eph.loaded());
    EXPECT_TRUE(writeAndLoad(bytes)) << error;
}
