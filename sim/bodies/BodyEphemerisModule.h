// The ephemeris modules of the simulator's bodies: the CELBODY interface a
// vessel module reaches through oapiGetCelbodyInterface.
//
// Each body answers clbkEphemeris in the form of the simulator's own body
// modules, relative to its parent, whatever is requested:
//   Mercury, Venus, Earth  EPHEM_TRUEPOS|TRUEVEL|POLAR (67): heliocentric
//       longitude, latitude (rad), radius (AU) at ret[0..2] and their rates
//       per second at ret[3..5];
//   Mars, Jupiter, Saturn  EPHEM_BARYPOS|BARYVEL|POLAR (76): the same polar
//       form for the heliocentric state of the planet's system barycentre,
//       at ret[6..11] only;
//   Moon  EPHEM_TRUEPOS|TRUEVEL|BARYISTRUE (19): geocentric position (m) and
//       velocity (m/s) at ret[0..5], copied to ret[6..11];
//   Sun  EPHEM_TRUEPOS|TRUEVEL|BARYPOS|BARYVEL|BARYISTRUE (31): position and
//       velocity relative to the solar-system barycentre, likewise.
// Polar longitude and latitude are those of the simulator's axes (y north):
// pos = AU * r * (cos lat cos lon, sin lat, cos lat sin lon). Rectangular
// vectors are in the simulator's axes. Dates outside the ephemeris are not
// answered (return 0, nothing written).
#pragma once

#include <OrbiterAPI.h>
#include <CelBodyAPI.h>

#include <memory>

#include "bodies/BodyId.h"
#include "bodies/SolarSystemEphemeris.h"

namespace sim {

// CELBODY has no virtual destructor (as in the simulator's own headers), so
// an owner deletes a module through its concrete type.
struct BodyEphemerisModuleDeleter {
    void operator()(CELBODY *module) const;
};
using BodyEphemerisModulePtr = std::unique_ptr<CELBODY, BodyEphemerisModuleDeleter>;

// The module keeps a reference to eph, which must outlive it.
BodyEphemerisModulePtr makeBodyEphemerisModule(BodyId id, const SolarSystemEphemeris &eph);

}  // namespace sim
