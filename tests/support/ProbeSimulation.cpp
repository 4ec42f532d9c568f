#include "ProbeSimulation.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace arrival_design {

namespace fs = std::filesystem;

ProbeSimulation::ProbeSimulation(const std::string &installationRoot, const std::string &tag)
    : base_(fs::temp_directory_path() / (tag + "_" + std::to_string(getpid()))),
      work_(base_ / "work"),
      gravity_(ephemeris_) {
    fs::create_directories(base_ / "root/Config/Vessels");
    fs::create_directories(base_ / "root/Config/Ephemeris");
    fs::create_directories(work_ / "Q4K12techout");
    const fs::path ephemerisFile = base_ / "root/Config/Ephemeris/de405_1970_1989.bin";
    fs::copy_file(installationRoot + "/Config/Ephemeris/de405_1970_1989.bin", ephemerisFile,
                  fs::copy_options::overwrite_existing);
    std::ofstream(base_ / "root/Config/Vessels" / (std::string(kProbeClass) + ".cfg"))
        << "ClassName = " << kProbeClass << "\nMass = 1000\nSize = 2\n";
    std::string error;
    ephemeris_.load(ephemerisFile.string(), error);
}

ProbeSimulation::~ProbeSimulation() {
    simulation_.reset();
    std::error_code ignored;
    fs::remove_all(base_, ignored);
}

bool ProbeSimulation::load(const std::string &scenarioText, const std::string &vesselName,
                           std::string &error) {
    const fs::path scenario = base_ / "probe.scn";
    std::ofstream(scenario) << scenarioText;
    simulation_ = std::make_unique<sim::Simulation>((base_ / "root").string(), work_.string());
    if (!simulation_->loadScenario(scenario.string(), error)) return false;
    char name[64];
    std::snprintf(name, sizeof(name), "%s", vesselName.c_str());
    vessel_ = oapiGetVesselInterface(oapiGetVesselByName(name));
    if (!vessel_) error = "no vessel " + vesselName + " in the scenario";
    return vessel_ != nullptr;
}

}  // namespace arrival_design
