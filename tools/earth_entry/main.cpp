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
    sim::SolarSystemEphemeris ephemeris;
    int status = 0;
    if (!arrival_design::OpenInstallation(argc, argv, ephemeris, status)) return status;
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

    const std::string text =
        earth_entry::ScenarioText(ephemeris, start, target, arrival_design::SpacecraftWithConsole(0.60),
                                  "OKUL", arrival_design::RelayAboutMars());
    return arrival_design::WriteScenario(argv[2], text) ? 0 : 1;
}
