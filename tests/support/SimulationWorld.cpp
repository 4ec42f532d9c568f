#include "SimulationWorld.h"

#include "HostSpacecraft.h"
#include "ObjectHandles.h"
#include "OkulVessel.h"

namespace testsupport {

SimulationWorld::SimulationWorld()
    : installation_(TestInstallation::FromBuild::kClassesAndModules),
      workingFolder_(installation_.work()),
      simulation_(std::make_unique<sim::Simulation>(installation_.root(), installation_.work())) {}

SimulationWorld::~SimulationWorld() { simulation_.reset(); }

void SimulationWorld::restart() {
    simulation_.reset();
    simulation_ = std::make_unique<sim::Simulation>(installation_.root(), installation_.work());
}

::testing::AssertionResult SimulationWorld::load(const std::string &path) {
    std::string error;
    if (simulation_->loadScenario(path, error)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << error;
}

::testing::AssertionResult SimulationWorld::loadInstalled(const std::string &name) {
    return load(BuildRoot() + "/Scenarios/" + name);
}

::testing::AssertionResult SimulationWorld::loadText(const std::string &text) {
    return load(installation_.writeScenario("test.scn", text));
}

std::string SimulationWorld::save(const std::string &name) {
    std::string path = installation_.workFile(name), error;
    simulation_->saveScenario(path, error);
    return path;
}

Vessel *SimulationWorld::vessel(const std::string &name) const { return simulation_->vesselByName(name); }

OkulVessel *SimulationWorld::console(const std::string &name) const {
    OBJHANDLE handle = VesselByName(name);
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

VECTOR3 VesselAxis(const Vessel *vessel, int column) {
    const MATRIX3 &r = vessel->rotation;
    return _V(r.data[column], r.data[3 + column], r.data[6 + column]);
}

std::string TwoHostScenario(const std::string &consoleLines) {
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

}  // namespace testsupport
