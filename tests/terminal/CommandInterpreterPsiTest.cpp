// PSI with the real console in the simulator, against the same figures
// computed here from the console's global position and the ephemeris file
// read independently of the simulator's bodies.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "OkulVessel.h"
#include "SimulationWorld.h"
#include "TerminalScreen.h"
#include "bodies/SolarSystemEphemeris.h"
#include "gdi/Cp1251.h"

using testsupport::SimulationWorld;

namespace {

std::string Line(const char *format, double g) {
    char text[128];
    std::snprintf(text, sizeof(text), format, g, g * 432000.0);
    return sim::cp1251ToUtf8(text);
}

}  // namespace

TEST(GravityEstimate, ThreeFiguresFromTheDistancesToEarthAndMars) {
    SimulationWorld world;
    ASSERT_TRUE(world.loadInstalled("mars_approach.scn"));
    world.frames(31);
    OkulVessel *console = world.console();
    testsupport::Enter(console->terminal, "PSI");

    sim::SolarSystemEphemeris ephemeris;
    std::string error;
    ASSERT_TRUE(ephemeris.load(testsupport::BuildEphemerisFile(), error)) << error;
    const double mjd = world.simulation().mjd();
    const VECTOR3 at = world.vessel("OKUL")->position;
    VECTOR3 earth, mars, velocity;
    ephemeris.state(sim::BodyId::Earth, mjd, earth, velocity);
    ephemeris.state(sim::BodyId::Mars, mjd, mars, velocity);
    const double rEarth = length(at - earth), rMars = length(at - mars);
    const double gEarth = 398600439968871.2 / (rEarth * rEarth);
    const double gMars = 42828299163780.0 / (rMars * rMars);
    EXPECT_GT(rMars, 3e9);  // twenty days out
    EXPECT_GT(rEarth, 3e11);

    auto row = [&](int k) { return sim::cp1251ToUtf8(testsupport::ScreenRow(console->terminal, k)); };
    EXPECT_EQ(row(0), Line("Сумма g %.6f Н dV/10сут %.6f м/с", gEarth + gMars));
    EXPECT_EQ(row(1), Line("Марс  g %.6f Н dV/10сут %.6f м/с", gMars));
    EXPECT_EQ(row(2), Line("Земля g %.6f Н dV/10сут %.6f м/с", gEarth));
    EXPECT_EQ(row(3), "PSI");
}
