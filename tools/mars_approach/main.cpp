// Writes the Mars approach scenario of TAVR-12.
//   mars_approach <installation folder> <scenario file>
// The installation folder holds Config/Ephemeris/de405_1970_1989.bin.
#include <cstdio>
#include <fstream>
#include <string>

#include "MarsApproach.h"

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
    const mars_approach::Design design;
    const mars_approach::FreeState start = mars_approach::DesignStart(ephemeris, gravity, design);
    const mars_approach::Periapsis uncorrected =
        mars_approach::FindPeriapsis(ephemeris, gravity, start, 40.0);
    std::printf("start MJD %.6f; uncorrected periapsis MJD %.5f, radius %.1f km, %.1f km from the target\n",
                start.mjd, uncorrected.mjd, length(uncorrected.relativePosition) / 1000.0,
                uncorrected.targetMiss / 1000.0);

    // TAVR-12 holding its +y axis toward the Earth (mode 0); the console on
    // its point 0 (configuration 1); the relay K12 Orbiter on a 10,000 km
    // circular orbit about Mars.
    const std::vector<mars_approach::ScenarioVessel> onState = {
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
    out << mars_approach::ScenarioText(ephemeris, start, onState, "OKUL", relay);
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
