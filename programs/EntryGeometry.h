// The entry geometry of an Earth approach: from the vessel's closest-approach
// state, its periapsis, its entry into the atmosphere and the ground point
// under it, and the target the landing site demands: the point of the
// landing-site latitude at the same angular distance from the approach
// direction, passed by the landing site at the date nearest to the entry, and
// the periapsis that belongs to it.
//
// Vectors are Earth-centred, in the simulator's ecliptic axes (y = north),
// metres and m/s; dates are MJD.
#ifndef OKUL_PROGRAMS_ENTRYGEOMETRY_H
#define OKUL_PROGRAMS_ENTRYGEOMETRY_H

#include <OrbiterAPI.h>

#include "OrbitRecord.h"
#include "InterfaceConstants.h"

const double kGroundRadius = 6371000.0;              // m
const double kEntryInterfaceRadius = 6491000.0;      // m, 120 km above the ground
const double kEntryFlightPathAngle = 31.0 * kRad;    // below the horizontal
const double kLandingSiteLatitude = 45.9375 * kRad;  // in the Earth's equatorial frame
const double kLandingSiteHourAngleOffset = 63.33125 * kRad;

struct EntryGeometry {
    // The closest approach the propagation ended on.
    VECTOR3 closestPosition, closestVelocity;
    double closestEccentricity;
    // Its osculating periapsis, the orbit's unit normal r x v there, and the
    // axes of that orbit.
    double periapsisMjd;
    VECTOR3 periapsisPosition, periapsisVelocity;
    VECTOR3 orbitNormal;
    double semiMajorAxis, semiMinorAxis;
    // The entry-interface orbit: same energy, entering at 6,491 km at 31
    // degrees below the horizontal.
    double entrySpeed;
    double entryEccentricity, entrySemiLatusRectum, entrySemiMajorAxis;
    double entryPeriapsisRadius;
    double anomalyToPeriapsis;  // true anomaly from the ground point to the periapsis [rad]
    double entryToPeriapsis;    // time from the entry to the periapsis [s]
    double entryMjd;
    // Ground points: the approach direction (the incoming asymptote), the
    // achieved ground point, the target ground point and its date, the axis
    // that turns it toward the approach direction, and the target periapsis.
    VECTOR3 approachDirection;
    VECTOR3 groundPoint;
    VECTOR3 targetGround;
    double targetMjd;
    VECTOR3 targetAxis;
    VECTOR3 targetPeriapsis;
    // False when the ground circle of the approach never reaches a real point
    // of the landing-site construction (the nearest real point is used).
    bool targetFound;
};

// How LatitudeCandidates found its points.
enum LatitudeCrossing {
    kLatitudeCrossed,     // two points on the latitude circle
    kNearestOnCircle,     // the latitude is out of reach: one point, taken twice
    kNoRealPointOnCircle  // not even that point is real: the nearest real point, taken twice
};

// The points of the sphere of `radius` at `latitude` (equatorial frame, y the
// pole) whose projection on the unit direction u is `projection`. u and the
// results are in the equatorial frame. Where the latitude circle misses the
// circle of that projection, the point of the latter that lies in the plane
// of u and the pole, on the northern side of u, is taken twice; where even
// that has no real value, the point on the line toward it that comes
// nearest to the sphere.
LatitudeCrossing LatitudeCandidates(const VECTOR3 &u, double projection, double radius, double latitude,
                                    VECTOR3 &first, VECTOR3 &second);

// Fills the geometry from the closest-approach record (Earth-relative, the
// Earth's GM). startMjd is the date of the command the landing-site hour
// angle counts from; entryAngleOffset is taken off the entry's true anomaly
// to place the ground point. Uses the Earth's orientation and rotation from
// the simulator. Returns false when some result is not finite or the target
// was not found (targetFound false).
bool ComputeEntryGeometry(const OrbitRecord &closestApproach, double startMjd, double entryAngleOffset,
                          OBJHANDLE earth, EntryGeometry &geometry);

#endif  // OKUL_PROGRAMS_ENTRYGEOMETRY_H
