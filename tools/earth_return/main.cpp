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

    // TAVR-12 holding its +y axis toward the Earth (mode 0); the console on
    // its point 0 (configuration 1); the relay K12 Orbiter on its
    // 10,000 km circular orbit about Mars.
    const std::vector<earth_return::ScenarioVessel> onState = {
        {"TAVR-12", "Tavr12", "  AROT 0.0 0.0 0.0\n  PRPLEVEL 0:0.85\n  MODE 0\n"},
        {"OKUL", "OkulVessel",
         "  AROT 0.0 0.0 0.0\n  ATTACHED 0:0,TAVR-12\n  CONFIGURATION_T12 1\n  SUB_CONFIGURA_T12 0\n"}};
    const std::string relay =
        "K12 Orbiter:K12Orbiter\n"
        "  STATUS Orbiting Mars\n"
        "  RPOS 10000000.0 0.0 0.0\n"
        "  RVEL 0.0 1034.74996 1792.23950\n"
        "  AROT 0.0 0.0 0.0\n"
        "END\n";
    std::ofstream out(argv[2]);
    out << earth_return::ScenarioText(ephemeris, start, pass, onState, "OKUL", relay);
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
