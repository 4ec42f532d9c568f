// Writes the Earth entry scenario of TAVR-12.
//   earth_entry <installation folder> <scenario file>
// The installation folder holds Config/Ephemeris/de405_1970_1989.bin.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "ConsoleScenario.h"
#include "EarthEntry.h"

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <installation folder> <scenario file>\n", argv[0]);
        return 2;
    }
    sim::SolarSystemEphemeris ephemeris;
    std::string error;
    if (!arrival_design::LoadInstallationEphemeris(argv[1], ephemeris, error)) {
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

    std::ofstream out(argv[2]);
    out << earth_entry::ScenarioText(ephemeris, start, target, arrival_design::SpacecraftWithConsole(0.60),
                                     "OKUL", arrival_design::RelayAboutMars());
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
