#include "CheckpointTable.h"

#include <cmath>
#include <cstring>
#include <new>

#include "BodyEphemeris.h"
#include "VectorMath.h"

namespace {

const double kGravitationalConstant = 6.67259e-11;
const double kOneSecond = 1.0 / 86400.0;  // [days]
const double kSecondsPerDay = 86400.0;

double MassOf(const char *name) { return oapiGetMass(BodyByName(name)); }

// The elementary rotations of VectorMath.h from the cosine and sine of their
// angle, entry for entry.
MATRIX3 ZRotation(double c, double s) { return _M(c, s, 0.0, -s, c, 0.0, 0.0, 0.0, 1.0); }
MATRIX3 XRotation(double c, double s) { return _M(1.0, 0.0, 0.0, 0.0, c, s, 0.0, -s, c); }

}  // namespace

CheckpointTable::CheckpointTable()
    : count(0), mass(0.0), records(nullptr), startMjd(0.0), step(0.0), orientations(nullptr) {}

CheckpointTable::~CheckpointTable() { Clear(); }

void CheckpointTable::Clear() {
    delete[] records;
    delete[] orientations;
    records = nullptr;
    orientations = nullptr;
    count = 0;
}

bool CheckpointTable::Build(const char *name, double fromMjd, double toMjd, double stepDays) {
    Clear();
    const double spacing = std::fabs(stepDays);
    const double wanted = std::trunc(std::fabs(toMjd - fromMjd) / spacing);
    // Also refuses a zero or non-finite step and non-finite dates.
    if (!(wanted <= kMaxCount)) return false;
    const int wantedCount = wanted < 1.0 ? 1 : static_cast<int>(wanted);
    records = new (std::nothrow) OrbitRecord[wantedCount];
    orientations = new (std::nothrow) Orientation[wantedCount];
    if (!records || !orientations) {
        Clear();
        return false;
    }
    count = wantedCount;
    std::memset(records, 0, sizeof(OrbitRecord) * count);

    step = spacing;
    mass = MassOf(name);
    startMjd = fromMjd;
    const double centralGm =
        kGravitationalConstant * MassOf(std::strncmp(name, "Moon", 4) == 0 ? "Earth" : "Sun");

    double t = fromMjd;
    for (int i = 0; i < count; ++i, t += step) {
        OrbitRecord &record = records[i];
        record.mu = centralGm;
        record.epoch = t;
        const VECTOR3 later = EphemerisPosition(t + kOneSecond, name);
        const VECTOR3 now = EphemerisPosition(t, name);
        record.position = now;
        record.velocity = later - now;  // metres in one second
        StateToElements(record);

        const double a = record.semiMajorAxis;
        Orientation &o = orientations[i];
        o.meanMotion = std::sqrt(record.mu / (a * a * a));
        o.cosPeriapsis = std::cos(-record.argPeriapsis);
        o.sinPeriapsis = std::sin(-record.argPeriapsis);
        o.cosInclination = std::cos(-record.inclination);
        o.sinInclination = std::sin(-record.inclination);
        o.cosNode = std::cos(-record.ascendingNode);
        o.sinNode = std::sin(-record.ascendingNode);
    }
    return true;
}

int CheckpointTable::NearestCheckpoint(double mjd) const {
    const double index = (mjd - (startMjd - step / 2.0)) / step;
    if (!(index >= 1.0)) return 0;  // before the second checkpoint's half-way point, or not a number
    if (index >= count - 1) return count - 1;
    return static_cast<int>(index);
}

double CheckpointTable::StateAt(double mjd, VECTOR3 &pos, VECTOR3 &vel) {
    if (count == 0) return -1.0;
    OrbitRecord &record = records[NearestCheckpoint(mjd)];
    record.epoch = mjd;
    ElementsToState(record);
    pos = record.position;
    vel = record.velocity;
    return kGravitationalConstant * mass;
}

double CheckpointTable::PositionAt(double mjd, VECTOR3 &pos) {
    if (count == 0) return -1.0;
    const int i = NearestCheckpoint(mjd);
    const OrbitRecord &record = records[i];
    if (!(record.eccentricity < 1.0)) {
        VECTOR3 vel;
        return StateAt(mjd, pos, vel);
    }
    // ElementsToState's operations for an ellipse, in its order: Kepler's
    // equation, the perifocal position, the three rotations (the identities
    // among its elementary rotations left out) and the exchange of y and z.
    const Orientation &o = orientations[i];
    const double e = record.eccentricity;
    const double meanAnomaly = (mjd - record.periapsisTime) * o.meanMotion * kSecondsPerDay;
    double E;
    EllipticAnomaly(meanAnomaly, e, E);
    VECTOR3 p = _V(record.semiMajorAxis * (std::cos(E) - e), record.semiMinorAxis * std::sin(E), 0.0);
    MatrixTimesVector(p, ZRotation(o.cosPeriapsis, o.sinPeriapsis), p);
    MatrixTimesVector(p, XRotation(o.cosInclination, o.sinInclination), p);
    MatrixTimesVector(p, ZRotation(o.cosNode, o.sinNode), p);
    pos = _V(p.x, p.z, p.y);
    return kGravitationalConstant * mass;
}
