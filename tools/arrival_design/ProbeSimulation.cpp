#include "ProbeSimulation.h"

#include <unistd.h>

#include <fstream>

namespace fs = std::filesystem;

namespace arrival_design {

namespace {

const char kEphemerisFile[] = "Config/Ephemeris/de405_1970_1989.bin";

}  // namespace

ProbeSimulation::ProbeSimulation(const std::string &tag, const std::string &installRoot,
                                 const StartDesign &design) {
    base = fs::temp_directory_path() / (tag + "_" + std::to_string(getpid()));
    fs::create_directories(base / "root/Config/Vessels");
    fs::create_directories(base / "root/Config/Ephemeris");
    fs::create_directories(base / "work/Q4K12techout");
    std::error_code copyError;
    fs::copy_file(fs::path(installRoot) / kEphemerisFile, base / "root" / kEphemerisFile,
                  fs::copy_options::overwrite_existing, copyError);
    std::ofstream(base / "root/Config/Vessels/Probe.cfg") << "ClassName = Probe\nMass = 1000\nSize = 2\n";

    sim::SolarSystemEphemeris ephemeris;
    if (!ephemeris.load((base / "root" / kEphemerisFile).string(), error)) return;
    sim::GravityModel gravity(ephemeris);
    start = design(ephemeris, gravity);
    std::ofstream(base / "probe.scn") << ScenarioText(ephemeris, "A probe on a designed state.\n", start,
                                                      {{"PROBE", "Probe", ""}}, "PROBE");

    simulation = std::make_unique<sim::Simulation>((base / "root").string(), (base / "work").string());
    if (!simulation->loadScenario((base / "probe.scn").string(), error)) return;
    char name[] = "PROBE";
    vessel = oapiGetVesselInterface(oapiGetVesselByName(name));
    previousDirectory = fs::current_path();
    fs::current_path(base / "work");
}

ProbeSimulation::~ProbeSimulation() {
    simulation.reset();
    if (!previousDirectory.empty()) fs::current_path(previousDirectory);
    std::error_code removeError;
    fs::remove_all(base, removeError);
}

}  // namespace arrival_design
