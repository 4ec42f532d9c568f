#include "OrbitRecord.h"
#include "InterfaceConstants.h"

#include <cmath>

#include "VectorMath.h"

namespace {

const double kTwoPi = kPi + kPi;
const double kSecondsPerDay = 86400.0;

void SwapYZ(VECTOR3 &v) { Exchange(v.y, v.z); }

// Turns a perifocal vector into the (right-handed) ecliptic frame.
VECTOR3 PerifocalToFrame(const VECTOR3 &perifocal, double argPeriapsis, double inclination, double node) {
    VECTOR3 v = perifocal;
    RotateXYZ(v, _V(0.0, 0.0, -argPeriapsis), v);
    RotateXYZ(v, _V(-inclination, 0.0, 0.0), v);
    RotateXYZ(v, _V(0.0, 0.0, -node), v);
    return v;
}

}  // namespace

void StateToElements(OrbitRecord &o) {
    SwapYZ(o.position);
    SwapYZ(o.velocity);
    const VECTOR3 &r = o.position;
    const VECTOR3 &v = o.velocity;
    const double rLen = length(r);
    const VECTOR3 h = crossp(r, v);
    const double hLen = length(h);

    o.inclination = std::acos(ClampToUnit(h.z / hLen));
    const double sinI = std::sin(o.inclination);
    if (h.x == 0.0 && h.y == 0.0) {
        // Orbit in the reference plane: no line of nodes, take it along x.
        o.ascendingNode = 0.0;
    } else {
        const double g = ClampToUnit((h.y / hLen) / sinI);
        o.ascendingNode = std::acos(-g);
        if (h.x < 0.0) o.ascendingNode = kTwoPi - o.ascendingNode;
    }

    o.semiLatusRectum = hLen * hLen / o.mu;
    const double p = o.semiLatusRectum;
    const double e = std::sqrt(1.0 + hLen * hLen * (dotp(v, v) - 2.0 * o.mu / rLen) / (o.mu * o.mu));
    o.eccentricity = e;

    // Argument of latitude: angle from the ascending node to the position.
    double u;
    if (h.x == 0.0 && h.y == 0.0) {
        u = std::atan2(r.y * Sign(h.z), r.x);
    } else {
        const double cn = std::cos(o.ascendingNode), sn = std::sin(o.ascendingNode);
        u = std::acos(ClampToUnit((cn * r.x + sn * r.y) / rLen));
        // Below the reference plane the angle is negative. The product of the
        // node's sine and h_x is never negative; where it is zero the side
        // follows from the height alone.
        const double side = sn * h.x;
        if (side != 0.0 ? (r.z / rLen) * side < 0.0 : r.z < 0.0) u = -u;
    }
    o.argLatitude = u;

    if (e == 0.0) {
        // Circular: the periapsis is put at the ascending node.
        o.trueAnomaly = u;
    } else {
        const double x = (p / rLen - 1.0) / e;
        if (std::fabs(x) <= 0.999999) {
            o.trueAnomaly = std::acos(x);
            if (dotp(r, v) < 0.0) o.trueAnomaly = -o.trueAnomaly;
        } else {
            o.trueAnomaly = x > 0.0 ? 0.0 : kPi;
        }
    }
    o.argPeriapsis = u - o.trueAnomaly;

    const double nu = o.trueAnomaly;
    if (e < 1.0) {
        const double a = p / (1.0 - e * e);
        o.semiMajorAxis = a;
        o.semiMinorAxis = p / std::sqrt(1.0 - e * e);
        o.period = kTwoPi / std::sqrt(o.mu / (a * a * a));
        const double E = 2.0 * std::atan2(std::sqrt((1.0 - e) / (1.0 + e)) * std::tan(nu / 2.0), 1.0);
        o.anomaly = E;
        o.periapsisTime = o.epoch - std::sqrt(a * a * a / o.mu) * (E - e * std::sin(E)) / kSecondsPerDay;
    } else if (e == 1.0) {
        o.anomaly = 0.0;
        const double D = std::tan(nu / 2.0);
        o.periapsisTime =
            o.epoch - std::sqrt(p * p * p / o.mu) * (D + D * D * D / 3.0) * 5.787037037037037e-06;
    } else {
        o.period = -1.0;
        const double a = p / (e * e - 1.0);
        o.semiMajorAxis = a;
        o.semiMinorAxis = p / std::sqrt(e * e - 1.0);
        const double S = std::sqrt((e - 1.0) / (e + 1.0)) * std::tan(nu / 2.0);
        const double F = std::log((1.0 + S) / (1.0 - S));
        o.anomaly = F;
        o.periapsisTime = o.epoch - std::sqrt(a * a * a / o.mu) * (e * std::sinh(F) - F) / kSecondsPerDay;
    }

    SwapYZ(o.position);
    SwapYZ(o.velocity);
}

int EllipticAnomaly(double meanAnomaly, double eccentricity, double &anomaly) {
    const double M = meanAnomaly, e = eccentricity;
    double E = M;
    int count;
    for (count = 0; count < 20; ++count) {
        const double next = E + (M + e * std::sin(E) - E) / (1.0 - e * std::cos(E));
        const double change = next - E;
        E = next;
        if (std::fabs(change) < 1e-12) break;
    }
    anomaly = E;
    return count;
}

int ElementsToState(OrbitRecord &o) {
    const double e = o.eccentricity;
    if (e == 1.0) return -1;
    const double a = o.semiMajorAxis;
    const double M = (o.epoch - o.periapsisTime) * std::sqrt(o.mu / (a * a * a)) * kSecondsPerDay;

    VECTOR3 pos, vel;
    int count = 0;
    if (e < 1.0) {
        double E;
        count = EllipticAnomaly(M, e, E);
        o.anomaly = E;
        pos = _V(a * (std::cos(E) - e), o.semiMinorAxis * std::sin(E), 0.0);
        o.trueAnomaly = std::atan2(pos.y, pos.x);
        const double k = std::sqrt(o.mu / (a * (1.0 - e * e)));
        vel = _V(-k * std::sin(o.trueAnomaly), k * (std::cos(o.trueAnomaly) + e), 0.0);
    } else {
        double H = M;
        for (count = 0; count < 200; ++count) {
            const double next = H + (M - e * std::sinh(H) + H) / (e * std::cosh(H) - 1.0);
            const double change = next - H;
            H = next;
            o.anomaly = H;
            if (std::fabs(change) < 1e-12) break;
        }
        const double coshH = std::cosh(H);
        o.trueAnomaly = std::acos(ClampToUnit((e - coshH) / (e * coshH - 1.0)));
        if (H < 0.0) o.trueAnomaly = kTwoPi - o.trueAnomaly;
        const double rr = a * (e * coshH - 1.0);
        pos = _V(rr * std::cos(o.trueAnomaly), rr * std::sin(o.trueAnomaly), 0.0);
        vel = _V(-std::sqrt(o.mu * a) * std::sinh(H) / rr, std::sqrt(o.mu * a * (e * e - 1.0)) * coshH / rr,
                 0.0);
    }
    o.argLatitude = o.trueAnomaly + o.argPeriapsis;

    o.position = PerifocalToFrame(pos, o.argPeriapsis, o.inclination, o.ascendingNode);
    o.velocity = PerifocalToFrame(vel, o.argPeriapsis, o.inclination, o.ascendingNode);
    SwapYZ(o.position);
    SwapYZ(o.velocity);
    return count;
}
