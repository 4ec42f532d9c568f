// Two-body orbit: a state vector about a central body and its elements.
//
// Vectors are in the simulator's layout (y = ecliptic north). The routines
// work in the right-handed frame with y and z exchanged and exchange back
// before they return.
#ifndef OKUL_CELESTIAL_ORBITRECORD_H
#define OKUL_CELESTIAL_ORBITRECORD_H

#include <OrbiterAPI.h>

struct OrbitRecord {
    double mu;               // gravitational parameter of the central body [m^3/s^2]
    double epoch;            // date of the state vector [MJD]
    VECTOR3 velocity;        // [m/s]
    VECTOR3 position;        // relative to the central body [m]
    double trueAnomaly;      // [rad]
    double argLatitude;      // true anomaly plus argument of periapsis [rad]
    double anomaly;          // eccentric (ellipse) or hyperbolic anomaly
    double periapsisTime;    // [MJD]
    double inclination;      // [rad]
    double ascendingNode;    // longitude of the ascending node [rad]
    double semiLatusRectum;  // [m]
    double eccentricity;
    double argPeriapsis;   // [rad]
    double semiMajorAxis;  // positive for ellipse and hyperbola [m]
    double semiMinorAxis;  // [m]
    double period;         // [s]; -1 for a hyperbola
};

static_assert(sizeof(OrbitRecord) == 20 * sizeof(double), "an orbit record is twenty doubles");

// Elements (trueAnomaly to period) from mu, epoch, velocity and position.
// A circular orbit (eccentricity exactly 0) has its periapsis at the node:
// argPeriapsis 0, trueAnomaly equal to the argument of latitude. An exact
// parabola leaves semiMajorAxis, semiMinorAxis and period untouched.
void StateToElements(OrbitRecord &orbit);

// Position, velocity, anomaly, trueAnomaly and argLatitude at epoch from the
// elements. Returns the number of Kepler iterations that had not yet met
// the tolerance (20 or 200 at the limit), or -1 for an exact parabola,
// which is refused and leaves the record unchanged.
int ElementsToState(OrbitRecord &orbit);

// Eccentric anomaly of an ellipse for a mean anomaly by Newton's method on
// Kepler's equation, started at the mean anomaly and stopped when a
// correction is below 1e-12 or after 20 corrections. Returns the number of
// corrections that had not yet met the tolerance (20 at the limit).
int EllipticAnomaly(double meanAnomaly, double eccentricity, double &anomaly);

#endif  // OKUL_CELESTIAL_ORBITRECORD_H
