#include "DesignedProbes.h"

#include <vector>

namespace testsupport {

namespace {

// The vessels on the designed state: the probe alone.
std::vector<arrival_design::ScenarioVessel> ProbeOnState() {
    return {{ProbeSimulation::kProbeName, ProbeSimulation::kProbeClass, ""}};
}

}  // namespace

MarsApproachProbe::MarsApproachProbe() {
    if (!ready()) return;
    start = mars_approach::DesignStart(ephemeris(), gravity(), design);
    load(mars_approach::ScenarioText(ephemeris(), start, ProbeOnState(), kProbeName));
}

EarthReturnProbe::EarthReturnProbe() {
    if (!ready()) return;
    start = earth_return::DesignStart(ephemeris(), gravity(), design);
    load(arrival_design::ScenarioText(ephemeris(), "A probe on the Earth return.\n", start, ProbeOnState(),
                                      kProbeName));
}

EarthReturnProbe &SharedEarthReturnProbe() {
    static EarthReturnProbe probe;
    return probe;
}

EarthEntryProbe::EarthEntryProbe() {
    if (!ready()) return;
    target = earth_entry::DesignTarget(ephemeris(), design);
    start = earth_entry::DesignStart(ephemeris(), gravity(), design, target);
    load(earth_entry::ScenarioText(ephemeris(), start, target, ProbeOnState(), kProbeName));
}

}  // namespace testsupport
