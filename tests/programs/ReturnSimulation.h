// The simulator of the PIE tests: a probe on the Earth return scenario's
// start state (30 days before the pass over the Earth), made once per test
// program.
#pragma once

#include "EarthReturn.h"
#include "ProbeSimulation.h"

inline arrival_design::ProbeSimulation &ReturnSimulation() {
    static arrival_design::ProbeSimulation simulation(
        "pie_test", OKUL_ROOT_DIR,
        [](const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity) {
            return earth_return::DesignStart(ephemeris, gravity, earth_return::Design());
        });
    return simulation;
}
