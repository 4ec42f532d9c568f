// Writes the Earth return scenario of TAVR-12.
//   earth_return <installation folder> <scenario file>
// The installation folder holds Config/Ephemeris/de405_1970_1989.bin.
#include <cstdio>
#include <fstream>
#include <string>

#include "EarthReturn.h"

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <installation folder> <scenario file>\n", argv[0]);
        return 2;
    }
    sim::SolarSystemEphemeris ephemeris;
    std::string error;
    if (!ephemeris.load(std::string(argv[1]) + "/Config/Ephemeris/de405_1970_1989.bin", error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
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

    std::ofstream out(argv[2]);
    out << earth_return::ReturnScenario(ephemeris, gravity);
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
