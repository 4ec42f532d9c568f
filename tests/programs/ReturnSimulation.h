// The simulator of the PIE tests: a probe on the Earth return scenario's
// start state (30 days before the pass over the Earth), made once per test
// program.
#pragma once

#include "ReturnProbe.h"

inline earth_return::ReturnProbe &ReturnSimulation() {
    static earth_return::ReturnProbe simulation(OKUL_ROOT_DIR, "pie_test");
    return simulation;
}
