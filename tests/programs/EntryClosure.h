// How close the simulator's own periapsis comes to the "Tar=" point of PLE,
// seen from a vessel's present state near the Earth: the osculating
// periapsis of that state, and the closest approach flown on from it
// through the planet.
#pragma once

#include <OrbiterAPI.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "EarthEntry.h"
#include "EntryGeometry.h"
#include "core/Simulation.h"

struct EntryClosure {
    double hoursAhead;                       // from the state to the osculating periapsis
    double osculatingMiss, osculatingDelay;  // m from Tp, s after its time
    double throughMiss, throughDelay;
};

inline EntryClosure MeasureClosure(const sim::Simulation &simulation, OBJHANDLE vessel,
                                   const EntryGeometry &aimed) {
    earth_entry::FreeState now = {simulation.mjd(), _V(0, 0, 0), _V(0, 0, 0)};
    oapiGetGlobalPos(vessel, &now.position);
    oapiGetGlobalVel(vessel, &now.velocity);
    const earth_entry::Arrival seen =
        earth_entry::ArrivalSeenFrom(simulation.ephemeris(), simulation.gravity(), now, 1.0);
    const double aimedMjd = aimed.targetMjd + aimed.entryToPeriapsis / 86400.0;
    EntryClosure closure;
    closure.hoursAhead = (seen.osculatingMjd - now.mjd) * 24.0;
    closure.osculatingMiss = length(seen.osculatingPosition - aimed.targetPeriapsis);
    closure.osculatingDelay = (seen.osculatingMjd - aimedMjd) * 86400.0;
    closure.throughMiss = length(seen.closestPosition - aimed.targetPeriapsis);
    closure.throughDelay = (seen.closestMjd - aimedMjd) * 86400.0;
    std::printf(
        "closure: osculating periapsis %.2f h ahead: %.3f km from \"Tar=\", %+.2f s; flown through the "
        "Earth: "
        "closest approach %.3f km from it, %+.2f s\n",
        closure.hoursAhead, closure.osculatingMiss / 1000.0, closure.osculatingDelay,
        closure.throughMiss / 1000.0, closure.throughDelay);
    return closure;
}

// What a flown PLE correction reaches: the osculating periapsis more than
// half an hour ahead, it and the closest approach within 20 km of "Tar=",
// the periapsis within 30 s of its time.
inline void ExpectClosureOnTheTarget(const EntryClosure &closure) {
    EXPECT_GT(closure.hoursAhead, 0.5);
    EXPECT_LT(closure.osculatingMiss, 20000.0);
    EXPECT_LT(closure.throughMiss, 20000.0);
    EXPECT_LT(std::fabs(closure.osculatingDelay), 30.0);
}
