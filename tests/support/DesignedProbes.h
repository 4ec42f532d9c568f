// A probe on the designed start state of each program's scenario, in a
// simulation of its own (see ProbeSimulation), as the scenario tools design
// it in the simulator's gravity: for the tests and benchmarks of PLM, PIE and
// PLE. vessel() is null when the scenario did not load (error() says why).
#pragma once

#include "ArrivalDesign.h"
#include "EarthEntry.h"
#include "EarthReturn.h"
#include "MarsApproach.h"
#include "ProbeSimulation.h"

namespace testsupport {

// The Mars approach of PLM: 20 days out, the velocity offset making the
// uncorrected approach miss the target point by some hundred km.
class MarsApproachProbe : public ProbeSimulation {
public:
    MarsApproachProbe();
    const mars_approach::Design design{};
    arrival_design::FreeState start{};
};

// The Earth return of PIE: thirty days before the pass over the Earth.
class EarthReturnProbe : public ProbeSimulation {
public:
    EarthReturnProbe();
    const earth_return::Design design{};
    arrival_design::FreeState start{};
};

// One Earth return probe for the whole program, made at the first call.
EarthReturnProbe &SharedEarthReturnProbe();

// The Earth entry of PLE: 18 days before the entry, the velocity offset
// making the uncorrected entry miss the program's target by some hundred km.
class EarthEntryProbe : public ProbeSimulation {
public:
    EarthEntryProbe();
    const earth_entry::Design design{};
    earth_entry::Target target{};
    arrival_design::FreeState start{};
};

}  // namespace testsupport
