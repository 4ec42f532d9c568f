#include "PlanetFrames.h"
#include "InterfaceConstants.h"

#include <cmath>

#include "VectorMath.h"

namespace {

// Rotation angle of the planet at mjd.
double RotationAt(double mjd, OBJHANDLE planet) {
    double rotation = oapiGetPlanetCurrentRotation(planet);
    const double period = oapiGetPlanetPeriod(planet);
    if (period != 0.0) rotation += (kPi + kPi) * (mjd - oapiGetSimMJD()) * 86400.0 / period;
    return rotation;
}

}  // namespace

void PlanetEquatorialToEcliptic(OBJHANDLE planet, VECTOR3 &v) {
    MATRIX3 obliquity;
    oapiGetPlanetObliquityMatrix(planet, &obliquity);
    MatrixTimesVector(v, obliquity, v);
}

void EclipticToPlanetEquatorial(OBJHANDLE planet, VECTOR3 &v) {
    const double obliquity = oapiGetPlanetObliquity(planet);
    const double theta = oapiGetPlanetTheta(planet);
    RotateXYZ(v, _V(0.0, -theta, 0.0), v);
    RotateXYZ(v, _V(obliquity, 0.0, 0.0), v);
}

void PlanetSurfaceToEcliptic(double mjd, OBJHANDLE planet, VECTOR3 &v) {
    const double longitude = v.x, latitude = v.y, radius = v.z;
    const double cosLat = std::fabs(std::cos(latitude));
    VECTOR3 w = _V(cosLat * std::cos(longitude) * radius, std::sin(latitude) * radius,
                   cosLat * std::sin(longitude) * radius);
    MatrixTimesVector(w, RotationY(RotationAt(mjd, planet)), w);
    PlanetEquatorialToEcliptic(planet, w);
    v = w;
}

void EclipticToPlanetSurface(double mjd, OBJHANDLE planet, VECTOR3 &v) {
    const double rotation = RotationAt(mjd, planet);
    VECTOR3 w = v;
    EclipticToPlanetEquatorial(planet, w);
    RotateXYZ(w, _V(0.0, -rotation, 0.0), w);
    v = _V(std::atan2(w.z, w.x), std::atan2(w.y, std::sqrt(w.x * w.x + w.z * w.z)), length(w));
}
