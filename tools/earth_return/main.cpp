// Writes the Earth return scenario of TAVR-12.
//   earth_return <installation folder> <scenario file>
// The installation folder holds Config/Ephemeris/de405_1970_1989.bin.
#include <cstdio>
#include <string>

#include "ConsoleScenario.h"
#include "EarthReturn.h"

int main(int argc, char **argv) {
    sim::SolarSystemEphemeris ephemeris;
    int status = 0;
    if (!arrival_design::OpenInstallation(argc, argv, ephemeris, status)) return status;
    sim::GravityModel gravity(ephemeris);
    const earth_return::Design design;
    const earth_return::FreeState start = earth_return::DesignStart(ephemeris, gravity, design);
    const earth_return::Periapsis pass = earth_return::FindPeriapsis(ephemeris, gravity, start, 40.0);
    VECTOR3 earthPos, earthVel;
    ephemeris.state(sim::BodyId::Earth, start.mjd, earthPos, earthVel);
    std::printf(
        "start MJD %.6f, %.0f km from the Earth; periapsis MJD %.5f, radius %.1f km, speed %.1f m/s\n",
        start.mjd, length(start.position - earthPos) / 1000.0, pass.mjd,
        length(pass.relativePosition) / 1000.0, length(pass.relativeVelocity));
    return arrival_design::WriteScenario(argv[2], earth_return::ReturnScenario(ephemeris, gravity)) ? 0 : 1;
}
