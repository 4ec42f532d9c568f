#include "SimulationWorld.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "HostSpacecraft.h"
#include "OkulVessel.h"

namespace testworld {

SimulationWorld::SimulationWorld() {
    char pattern[] = "/tmp/okul-hosts-XXXXXX";
    workDir_ = mkdtemp(pattern);
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd)) previousDir_ = cwd;
    if (chdir(workDir_.c_str()) != 0) previousDir_.clear();
    simulation_ = new sim::Simulation(OKUL_ROOT_DIR, workDir_);
}

SimulationWorld::~SimulationWorld() {
    delete simulation_;
    if (!previousDir_.empty() && chdir(previousDir_.c_str()) != 0) {
    }
    std::string command = "rm -rf '" + workDir_ + "'";
    if (system(command.c_str()) != 0) {
    }
}

void SimulationWorld::restart() {
    delete simulation_;
    simulation_ = new sim::Simulation(OKUL_ROOT_DIR, workDir_);
}

bool SimulationWorld::loadInstalled(const std::string &name, std::string &error) {
    return simulation_->loadScenario(std::string(OKUL_ROOT_DIR) + "/Scenarios/" + name, error);
}

bool SimulationWorld::loadText(const std::string &text, std::string &error) {
    std::string path = workDir_ + "/test.scn";
    std::ofstream(path) << text;
    return simulation_->loadScenario(path, error);
}

std::string SimulationWorld::save(const std::string &name) {
    std::string path = workDir_ + "/" + name, error;
    simulation_->saveScenario(path, error);
    return path;
}

Vessel *SimulationWorld::vessel(const std::string &name) const { return simulation_->vesselByName(name); }

OkulVessel *SimulationWorld::console(const std::string &name) const {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s", name.c_str());
    OBJHANDLE handle = oapiGetVesselByName(buffer);
    return handle ? static_cast<OkulVessel *>(oapiGetVesselInterface(handle)) : nullptr;
}

SHIPprg *SimulationWorld::hostProgram(const std::string &name) const {
    Vessel *v = vessel(name);
    if (!v || !v->iface2()) return nullptr;
    if (v->className() == "Tavr12") return static_cast<Tavr12 *>(v->iface2());
    if (v->className() == "q4varK_RN") return static_cast<q4varK_RN *>(v->iface2());
    return nullptr;
}

void SimulationWorld::frames(int count) {
    for (int i = 0; i < count; ++i) simulation_->frame();
}

void SimulationWorld::frames(int count, double seconds) {
    simulation_->setFrameLength(seconds);
    frames(count);
}

std::string SimulationWorld::readWorkFile(const std::string &name) const {
    std::ifstream in(workDir_ + "/" + name);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::string twoHostScenario(const std::string &consoleLines) {
    const std::string orbit =
        "  STATUS Orbiting Earth\n  RPOS 6571000.0 0.0 0.0\n  RVEL 0.0 3656.4736 6876.8267\n  AROT 0 0 0\n";
    return "BEGIN_DESC\nBoth hosts in a low orbit\nEND_DESC\n"
           "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 42680.2\nEND_ENVIRONMENT\n"
           "BEGIN_FOCUS\n  Ship OKUL\nEND_FOCUS\n"
           "BEGIN_SHIPS\n"
           "U5-Q4:q4varK_RN\n" +
           orbit + "  PRPLEVEL 0:0.4\n  MODE 1\nEND\n" +
           "TAVR-12:Tavr12\n  STATUS Orbiting Earth\n  RPOS 6571000.0 0.0 200.0\n  RVEL 0.0 3656.4736 "
           "6876.8267\n"
           "  AROT 0 0 0\n  MODE 1\nEND\n"
           "OKUL:OkulVessel\n" +
           orbit + consoleLines + "END\nEND_SHIPS\n";
}

}  // namespace testworld
