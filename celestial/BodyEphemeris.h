// State of a named celestial body from its own ephemeris module.
#ifndef OKUL_CELESTIAL_BODYEPHEMERIS_H
#define OKUL_CELESTIAL_BODYEPHEMERIS_H

#include <OrbiterAPI.h>

// Results of GetBodyEphemeris.
enum {
    kEphemerisNoBody = -1,    // the simulator has no body of that name
    kEphemerisNone = 0,       // no ephemeris interface, or it reports none
    kEphemerisUnhandled = 1,  // answer of a form not converted (see flags)
    kEphemerisDone = 2
};

// The simulator's body of that name, or null. The name is copied first: the
// simulator's call takes a modifiable text.
OBJHANDLE BodyByName(const char *name);

// True position and velocity of the body at mjd (relative to its parent,
// in the simulator's axes). flags receives the flag word the body answered
// with. Rectangular answers (3, 19, 31) are copied; polar answers with true
// position and velocity (67, 83) are converted; a barycentric polar answer
// (76) gives the position only and leaves velocity untouched.
int GetBodyEphemeris(double mjd, const char *name, VECTOR3 &position, VECTOR3 &velocity, int &flags);

// The position GetBodyEphemeris gives; (0, 0, 0) when it gives none.
VECTOR3 EphemerisPosition(double mjd, const char *name);

// Polar (longitude, latitude, radius in AU) to rectangular metres.
VECTOR3 PolarToPosition(double longitude, double latitude, double radius);

// Exact time derivative of PolarToPosition for the given rates (rad/s,
// rad/s, AU/s).
VECTOR3 PolarToVelocity(double longitude, double latitude, double radius, double longitudeRate,
                        double latitudeRate, double radiusRate);

#endif  // OKUL_CELESTIAL_BODYEPHEMERIS_H
