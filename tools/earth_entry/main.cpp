// Writes the Earth entry scenario of TAVR-12.
//   earth_entry <installation folder> <scenario file>
// The installation folder holds Config/Ephemeris/de405_1970_1989.bin.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "EarthEntry.h"

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
    const earth_entry::Design design;
    earth_entry::Target target;
    try {
        target = earth_entry::DesignTarget(ephemeris, design);
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    const earth_entry::FreeState start = earth_entry::DesignStart(ephemeris, gravity, design, target);
    const earth_entry::Arrival uncorrected = earth_entry::FindArrival(ephemeris, gravity, start, 30.0);
    std::printf(
        "target: periapsis MJD %.5f radius %.1f km, ground point MJD %.5f, entry to periapsis %.1f s\n",
        target.periapsisMjd, length(target.periapsisPosition) / 1000.0, target.groundMjd,
        target.entryToPeriapsis);
    std::printf(
        "start MJD %.6f; uncorrected: osculating periapsis MJD %.5f %.1f km from the target, "
        "closest approach MJD %.5f at %.1f km\n",
        start.mjd, uncorrected.osculatingMjd,
        length(uncorrected.osculatingPosition - target.periapsisPosition) / 1000.0, uncorrected.closestMjd,
        length(uncorrected.closestPosition) / 1000.0);

    // TAVR-12 holding its +y axis toward the Earth (mode 0); the console on
    // its point 0 (configuration 1); the relay K12 Orbiter left on its
    // 10,000 km circular orbit about Mars.
    const std::vector<earth_entry::ScenarioVessel> onState = {
        {"TAVR-12", "Tavr12", "  AROT 0.0 0.0 0.0\n  PRPLEVEL 0:0.60\n  MODE 0\n"},
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
    out << earth_entry::ScenarioText(ephemeris, start, target, onState, "OKUL", relay);
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
