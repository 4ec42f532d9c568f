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
