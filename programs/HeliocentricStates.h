// States relative to the Sun: the
// programs start their propagations from the global states of the vessel and
// the bodies with the Sun's taken off.
#ifndef OKUL_PROGRAMS_HELIOCENTRICSTATES_H
#define OKUL_PROGRAMS_HELIOCENTRICSTATES_H

#include <OrbiterAPI.h>

#include "BodyEphemeris.h"  // BodyByName

// The object's global position and velocity minus the Sun's (zero vectors
// where the simulator knows neither).
void HeliocentricState(OBJHANDLE object, OBJHANDLE sun, VECTOR3 &position, VECTOR3 &velocity);

#endif  // OKUL_PROGRAMS_HELIOCENTRICSTATES_H
