#include "EntryGeometry.h"
#include "InterfaceConstants.h"

#include <cmath>

#include "PlanetFrames.h"
#include "Quaternion.h"
#include "VectorMath.h"

namespace {

const double kSecondsPerDay = 86400.0;

// The fixed axis the achieved ground point is turned about (crossed with u):
// the axis along which u has its smallest component, or +z.
VECTOR3 ReferenceAxis(const VECTOR3 &u) {
    const double x = std::fabs(u.x), y = std::fabs(u.y), z = std::fabs(u.z);
    if (y < x && y < z) return _V(0.0, -1.0, 0.0);
    if (z < x && z < y) return _V(0.0, 0.0, -1.0);
    return _V(0.0, 0.0, 1.0);
}

}  // namespace

LatitudeCrossing LatitudeCandidates(const VECTOR3 &u, double projection, double radius, double latitude,
                                    VECTOR3 &first, VECTOR3 &second) {
    // X: the point of the plane of u and the pole with the given projection
    // on u at the latitude's height.
    const VECTOR3 s = unit(_V(-u.z, 0.0, u.x));
    double a[9] = {u.x, u.y, u.z, 0.0, 1.0, 0.0, s.x, s.y, s.z};
    double b[3] = {projection, radius * std::sin(latitude), 0.0};
    double x[3] = {NAN, NAN, NAN};
    SolveLinearSystem(3, a, b, x);
    const VECTOR3 X = _V(x[0], x[1], x[2]);

    const double across = radius * radius - dotp(X, X);
    if (across >= 0.0) {
        const double half = std::sqrt(across);
        first = X + s * half;
        second = X - s * half;
        return kLatitudeCrossed;
    }
    // Along the circle of the projection toward the pole side instead: the
    // larger root of |X + t W| = radius.
    const VECTOR3 W = unit(crossp(s, u));
    const double c = dotp(W, X);
    double discriminant = c * c - dotp(X, X) + radius * radius;
    LatitudeCrossing crossing = kNearestOnCircle;
    if (discriminant < 0.0) {
        discriminant = 0.0;
        crossing = kNoRealPointOnCircle;
    }
    first = X + W * (-c + std::sqrt(discriminant));
    second = first;
    return crossing;
}

bool ComputeEntryGeometry(const OrbitRecord &closestApproach, double startMjd, double entryAngleOffset,
                          OBJHANDLE earth, EntryGeometry &g) {
    const double mu = closestApproach.mu;
    g.closestPosition = closestApproach.position;
    g.closestVelocity = closestApproach.velocity;

    // The periapsis of the osculating orbit.
    OrbitRecord orbit = closestApproach;
    StateToElements(orbit);
    g.closestEccentricity = orbit.eccentricity;
    orbit.epoch = orbit.periapsisTime;
    ElementsToState(orbit);
    g.periapsisMjd = orbit.periapsisTime;
    g.periapsisPosition = orbit.position;
    g.periapsisVelocity = orbit.velocity;
    g.orbitNormal = unit(crossp(orbit.position, orbit.velocity));
    g.semiMajorAxis = orbit.semiMajorAxis;
    g.semiMinorAxis = orbit.semiMinorAxis;

    // The entry-interface orbit and the time from the ground point's anomaly
    // to the periapsis.
    const double rc = length(g.closestPosition);
    const double vc = length(g.closestVelocity);
    g.entrySpeed = std::sqrt(vc * vc - 2.0 * mu / rc + 2.0 * mu / kEntryInterfaceRadius);
    OrbitRecord entry = {};
    entry.mu = mu;
    entry.epoch = g.periapsisMjd;
    entry.position = _V(kEntryInterfaceRadius, 0.0, 0.0);
    entry.velocity = _V(-g.entrySpeed * std::sin(kEntryFlightPathAngle),
                        g.entrySpeed * std::cos(kEntryFlightPathAngle), 0.0);
    StateToElements(entry);
    const double e = entry.eccentricity;
    g.entryEccentricity = e;
    g.entrySemiLatusRectum = entry.semiLatusRectum;
    g.entrySemiMajorAxis = entry.semiLatusRectum / (e * e - 1.0);
    g.entryPeriapsisRadius = entry.semiLatusRectum / (1.0 + e);
    g.anomalyToPeriapsis = std::fabs(entry.trueAnomaly) - entryAngleOffset;
    const double t = std::sqrt((e - 1.0) / (e + 1.0)) * std::tan(g.anomalyToPeriapsis / 2.0);
    const double H = std::log((1.0 + t) / (1.0 - t));
    const double aE = g.entrySemiMajorAxis;
    g.entryToPeriapsis = std::sqrt(aE * aE * aE / mu) * (e * std::sinh(H) - H);
    g.entryMjd = g.periapsisMjd - g.entryToPeriapsis / kSecondsPerDay;

    // Approach direction: the periapsis velocity turned back by half the
    // deflection.
    const double halfAngle = std::atan(g.semiMinorAxis / g.semiMajorAxis);
    const Quaternion toAsymptote(-(kPi / 2.0 - halfAngle), g.orbitNormal);
    const VECTOR3 u = unit(toAsymptote.Rotate(g.periapsisVelocity));
    g.approachDirection = u;

    // Achieved ground point: u turned by the angle to the entry.
    const VECTOR3 m = unit(crossp(ReferenceAxis(u), u));
    const Quaternion toGround(-halfAngle - g.anomalyToPeriapsis, m);
    g.groundPoint = unit(toGround.Rotate(u)) * kGroundRadius;

    // Target candidates on the landing-site latitude, in the equatorial frame.
    VECTOR3 uEquatorial = u;
    EclipticToPlanetEquatorial(earth, uEquatorial);
    VECTOR3 candidates[2];
    const LatitudeCrossing crossing = LatitudeCandidates(uEquatorial, dotp(g.groundPoint, u), kGroundRadius,
                                                         kLandingSiteLatitude, candidates[0], candidates[1]);
    g.targetFound = crossing != kNoRealPointOnCircle;

    // Date at which the landing site passes under each candidate, counted
    // from the whole day nearest to the entry.
    const double day = std::floor(g.entryMjd + 0.5);
    const double period = oapiGetPlanetPeriod(earth) / kSecondsPerDay;
    const double rotation = oapiGetPlanetCurrentRotation(earth);
    const double hourAngle =
        std::asin(std::sin(2.0 * kPi * (day - startMjd) / period + kLandingSiteHourAngleOffset + rotation));
    double dates[2];
    for (int i = 0; i < 2; ++i) {
        dates[i] = day + (std::atan2(candidates[i].z, candidates[i].x) - hourAngle) * period / (2.0 * kPi);
        PlanetEquatorialToEcliptic(earth, candidates[i]);
    }
    const int chosen = std::fabs(dates[1] - g.entryMjd) < std::fabs(dates[0] - g.entryMjd) ? 1 : 0;
    g.targetGround = candidates[chosen];
    g.targetMjd = dates[chosen];

    // Target periapsis: the target ground point turned toward the approach
    // direction by the anomaly to the periapsis, at the periapsis radius.
    const VECTOR3 ground = unit(g.targetGround);
    g.targetAxis = unit(crossp(ground, u));
    g.targetPeriapsis =
        Quaternion(g.anomalyToPeriapsis, g.targetAxis).Rotate(ground * g.entryPeriapsisRadius);

    return g.targetFound && AllFinite(g.periapsisPosition.data, 3) &&
           AllFinite(g.periapsisVelocity.data, 3) && AllFinite(g.targetPeriapsis.data, 3) &&
           std::isfinite(g.targetMjd) && std::isfinite(g.entryToPeriapsis);
}
