// Osculating orbits of one body at fixed date intervals, from which the PIE
// program takes the body's position at any date by two-body propagation from
// the nearest checkpoint instead of asking the ephemeris every time.
//
// Checkpoint i holds the body's state relative to its central body (the Sun;
// for the Moon the Earth) at startMjd + i * step and the elements computed
// from it. Vectors are in the simulator's axes, metres and m/s.
#ifndef OKUL_PROGRAMS_CHECKPOINTTABLE_H
#define OKUL_PROGRAMS_CHECKPOINTTABLE_H

#include <OrbiterAPI.h>

#include "OrbitRecord.h"
#include "RunBounds.h"

class CheckpointTable {
public:
    // More checkpoints than this are refused by Build (a year at a
    // five-minute step).
    static const int kMaxCount = kMaxCheckpoints;

    CheckpointTable();
    ~CheckpointTable();
    CheckpointTable(const CheckpointTable &) = delete;
    CheckpointTable &operator=(const CheckpointTable &) = delete;

    // Fills the table for the named body: |toMjd - fromMjd| / |stepDays|
    // checkpoints (truncated; at least one) running forward from fromMjd,
    // also when toMjd is earlier. The central GM is the Earth's for a name
    // beginning with "Moon", else the Sun's (G times the simulator's masses).
    // Each checkpoint's velocity is the ephemeris position one second later
    // minus the one at its date. Returns false and leaves the table empty
    // when the count is not finite or above kMaxCount, or the records cannot
    // be allocated.
    bool Build(const char *name, double fromMjd, double toMjd, double stepDays);

    // Releases the records; the table is empty afterwards.
    void Clear();

    // The body's position and velocity relative to its central body at mjd,
    // propagated from the nearest checkpoint (the first before the table, the
    // last beyond it; exactly halfway the later one); returns the body's own
    // GM. The checkpoint's record takes the date and the propagated state.
    // An empty table returns -1.0 and leaves pos and vel untouched.
    double StateAt(double mjd, VECTOR3 &pos, VECTOR3 &vel);

    // The position StateAt gives, to the last bit, without the velocity and
    // without writing the record: the same Kepler solution with the rotations
    // of the checkpoint's orbit computed once at Build. Returns the GM, or
    // -1.0 (pos untouched) for an empty table.
    double PositionAt(double mjd, VECTOR3 &pos);

    int count;
    double mass;  // the body's own mass [kg]
    OrbitRecord *records;
    double startMjd;
    double step;  // [days], positive

private:
    // Per checkpoint: what PositionAt needs besides the record.
    struct Orientation {
        double meanMotion;                      // sqrt(mu / a^3) [rad/s]
        double cosPeriapsis, sinPeriapsis;      // of -argPeriapsis
        double cosInclination, sinInclination;  // of -inclination
        double cosNode, sinNode;                // of -ascendingNode
    };

    int NearestCheckpoint(double mjd) const;

    Orientation *orientations;
};

#endif  // OKUL_PROGRAMS_CHECKPOINTTABLE_H
