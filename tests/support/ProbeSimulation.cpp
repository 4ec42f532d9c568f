#include "ProbeSimulation.h"

#include <cmath>

#include "ObjectHandles.h"

namespace testsupport {

ProbeSimulation::ProbeSimulation() : gravity_(ephemeris_) {
    installation_.writeClass(kProbeClass,
                             std::string("ClassName = ") + kProbeClass + "\nMass = 1000\nSize = 2\n");
    if (!ephemeris_.load(BuildEphemerisFile(), error_))
        error_ = "no ephemeris in " + BuildRoot() + ": " + error_;
}

bool ProbeSimulation::load(const std::string &scenarioText) {
    vessel_ = nullptr;
    if (!ready()) return false;
    const std::string scenario = installation_.writeScenario("probe.scn", scenarioText);
    simulation_.reset();
    simulation_ = std::make_unique<sim::Simulation>(installation_.root(), installation_.work());
    if (!simulation_->loadScenario(scenario, error_)) return false;
    vessel_ = oapiGetVesselInterface(VesselByName(kProbeName));
    if (!vessel_) {
        error_ = std::string("no vessel ") + kProbeName + " in the scenario";
        return false;
    }
    if (!workingFolder_) workingFolder_.emplace(installation_.work());
    return true;
}

bool ProbeSimulation::applyIncrementAt(double seconds, const VECTOR3 &deltaV) {
    if (!vessel_) return false;
    simulation_->setFrameLength(1.0);
    simulation_->setTimeAcceleration(100.0);
    while (simulation_->simTime() < seconds - 1e-6) simulation_->frame();
    if (std::fabs(simulation_->simTime() - seconds) > 1e-6) return false;
    VESSELSTATUS status;
    vessel_->GetStatus(status);
    status.rvel += deltaV;
    vessel_->DefSetState(&status);
    return true;
}

}  // namespace testsupport
