// Conversions between the ecliptic frame, a planet's non-rotating equatorial
// frame and its rotating surface frame (longitude, latitude, radius).
//
// Vectors are planet-centred, in metres, in the simulator's axes. The
// rotating frame is taken at date mjd: the planet's present rotation angle is
// advanced at its sidereal rate from the simulation date to mjd.
#ifndef OKUL_CELESTIAL_PLANETFRAMES_H
#define OKUL_CELESTIAL_PLANETFRAMES_H

#include <OrbiterAPI.h>

// v = M * v with M the planet's obliquity matrix.
void PlanetEquatorialToEcliptic(OBJHANDLE planet, VECTOR3 &v);

// v = Rx(obliquity) * Ry(-theta) * v, the inverse of the above.
void EclipticToPlanetEquatorial(OBJHANDLE planet, VECTOR3 &v);

// v holds (longitude, latitude, radius) on entry, the ecliptic vector on
// return.
void PlanetSurfaceToEcliptic(double mjd, OBJHANDLE planet, VECTOR3 &v);

// v holds an ecliptic vector on entry, (longitude in (-pi, pi], latitude,
// radius) on return.
void EclipticToPlanetSurface(double mjd, OBJHANDLE planet, VECTOR3 &v);

#endif  // OKUL_CELESTIAL_PLANETFRAMES_H
