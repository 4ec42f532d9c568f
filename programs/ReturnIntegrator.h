// The PIE program's propagation of the spacecraft's heliocentric flight
// under the Sun and six bodies, with the closest approach to Earth.
//
// Fourth-order Runge-Kutta with the step halved and doubled on the relative
// velocity error; the bodies' positions come from the program's checkpoint
// tables. Each integration writes its step-size log to
// "Q4K12techout\prg78.out".
#ifndef OKUL_PROGRAMS_RETURNINTEGRATOR_H
#define OKUL_PROGRAMS_RETURNINTEGRATOR_H

#include <OrbiterAPI.h>

#include <cstdio>

class PieProgram;

class ReturnIntegrator {
public:
    // Order of the program's checkpoint tables.
    enum Body { kEarth, kMoon, kMars, kJupiter, kVenus, kSaturn, kBodyCount };

    explicit ReturnIntegrator(PieProgram &program);

    // "Earth", "Moon", "Mars", "Jupiter", "Venus", "Saturn"; "" for others.
    static const char *BodyName(int body);

    // Velocity (dr = v) and total acceleration (dv) at date mjd: the Sun,
    // then the Earth, Moon, Mars, Jupiter (at 0.3265 of its attraction),
    // Venus and Saturn from the tables. No indirect term.
    void Derivatives(double mjd, const VECTOR3 &r, const VECTOR3 &v, VECTOR3 &dr, VECTOR3 &dv);

    // Propagates the program's start state, its velocity increased by
    // deltaV, to endMjd with the relative velocity error bound tolerance per
    // step. Updates the program's closest-approach fields whenever an
    // accepted step comes closer to the Earth's ephemeris position than they
    // hold, and stops within the Earth's radius (that step not counted).
    // Returns the number of accepted steps.
    double Integrate(double endMjd, double tolerance, const VECTOR3 &deltaV);

    // When set, every force evaluation takes the bodies' states from the
    // tables' StateAt. Otherwise the positions for one date are computed once
    // (by PositionAt) and serve every stage at that date; the results are the
    // same to the last bit.
    bool plainBodyStates;
    // Force evaluations and body position computations since construction.
    long forceEvaluations;
    long bodyPositionSets;

private:
    // The state of one integration: date t (MJD), position r and velocity v
    // (heliocentric), step h (s), accepted steps n, the error sums Evs (m/s)
    // and Exs (m), and whether the step size changed since the last log line.
    struct Flight {
        VECTOR3 r, v;
        double t = 0.0;
        double h = 0.0;
        int n = 0;
        double velocityErrorSum = 0.0;
        double positionErrorSum = 0.0;
        bool stepChanged = false;
    };

    // The stages of a step. Attempt: one Runge-Kutta step of h from the
    // flight's state into next, adding to the error sums; returns the
    // relative velocity error. TakeStep: attempts, halving the step, until one
    // passes the tolerance (false when the step has halved to nothing).
    // NoteApproach: the closest approach so far; true inside the Earth.
    // LogStep: the log line of a step whose size changed.
    double Attempt(Flight &flight, double h, VECTOR3 &nextR, VECTOR3 &nextV);
    bool TakeStep(Flight &flight, double tolerance, bool &landsOnEnd, double &relativeError);
    bool NoteApproach(const Flight &flight, double stepEnd);
    void LogStep(std::FILE *log, const Flight &flight, double relativeError, double tolerance);

    // Every body's position (the Moon's heliocentric) and GM at one date.
    struct BodyPositions {
        double mjd;
        VECTOR3 position[kBodyCount];
        double gm[kBodyCount];
    };
    // A Runge-Kutta step has three distinct dates; the fourth entry keeps the
    // step's start while a rejected attempt is repeated with half the step.
    static const int kCacheSize = 4;

    const BodyPositions &PositionsAt(double mjd);
    void ComputePositions(double mjd, BodyPositions &out);
    void ForgetPositions();

    PieProgram &program;
    // Positions serve again only within one integration: the tables may
    // change between integrations.
    bool integrating;
    BodyPositions cache[kCacheSize];
    long lastUse[kCacheSize];
    int cacheFilled;
    long useCount;
    BodyPositions scratch;
};

#endif  // OKUL_PROGRAMS_RETURNINTEGRATOR_H
