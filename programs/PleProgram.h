// PLE: the increment that brings the vessel to its entry point over the Earth.
//
// From the states of the vessel, the Earth and the Moon at the command, the
// program solves by a Newton iteration for the velocity increment, applied
// 600 s after the command, that puts the periapsis of the Earth approach on
// the target the landing site demands (see EntryGeometry.h): each residual
// is a three-body propagation followed by the entry geometry. It prints the
// achieved ("Tru=") and the targeted ("Tar=") periapsis and the miss
// ("Err=") into resultLines and forms an attitude record (code 210) and a
// burn record (code 130) for the terminal's stored lines.
#ifndef OKUL_PROGRAMS_PLEPROGRAM_H
#define OKUL_PROGRAMS_PLEPROGRAM_H

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include "EntryGeometry.h"

class PleProgram {
public:
    // Residual evaluation modes.
    enum {
        kEvaluatePlain = 0,
        kEvaluateProbe = 1,
        kEvaluateReport = 333,     // also writes result lines 0 to 2
        kEvaluateFirstGuess = 777  // also writes a first guess into deltaV
    };

    explicit PleProgram(VESSEL *owner);
    virtual ~PleProgram() {}

    // Control word e: < 0 seeds deltaV with 0.01 |e| m/s on each axis; 0
    // reports the unpowered entry; 1 replaces deltaV by a first guess and
    // reports it; > 1 iterates (limit and probe factor from SolveSettings),
    // reports and forms the two records. Returns the answer the terminal
    // shows: the iteration's result for e > 1, else 0.
    double Run(int controlWord);

    // The iteration limit and the probe factor of a control word above 1.
    static void SolveSettings(int controlWord, int &limit, double &probeFactor);

    // Newton iteration on x. Each pass probes every component with the step
    // -|x_j| * probeFactor for a column of the Jacobian, solves for the
    // update and evaluates the miss there. A miss more than twice the
    // previous one (or not a number) restores the previous x and ends the
    // iteration; so does reaching the limit, tested before convergence (every
    // component's update within tolerance of its new value). Returns the
    // passes made when converged, else minus them. A component of x that is
    // 0 (no probe step) or a Jacobian, solution or miss that is not finite
    // ends it the same way with x unchanged and singularSolve set.
    int SolveIncrement(VECTOR3 &x, double tolerance, int limit, double probeFactor);

    // The miss distance [m] between the achieved and the targeted periapsis
    // for increment x; residual receives the heliocentric miss vector. Sets
    // accuracyClass and entry. Virtual so that the iteration can be tried on
    // a miss function of known shape.
    virtual double EvaluateMiss(const VECTOR3 &x, VECTOR3 &residual, int mode);

    VESSEL *owner;
    int directionRecordLine;
    int burnRecordLine;
    double directionTime;   // days
    double burnTimeOffset;  // days
    char resultLines[4][110];
    char directionRecord[110];
    char burnRecord[110];
    VECTOR3 deltaV;  // m/s
    VECTOR3 earthPos, earthVel, vesselPos, vesselVel, moonPos, moonVel;
    double startMjd;
    double entryAngleOffset;  // rad
    // 0: the miss exceeds 10,000 km, or the target was not found, or the
    // geometry is not finite; 1: it exceeds 100 km; 2: otherwise.
    int accuracyClass;

    // The geometry of the last evaluation.
    EntryGeometry entry;
    // Set when the last iteration stopped on a Jacobian or miss it could not use.
    bool singularSolve;
    // Work of the last run: propagations and force evaluations.
    long propagationCount;
    long forceEvaluationCount;

private:
    // The stages of an evaluation. FlyToEntry: the three-body flight with
    // the increment to the closest approach and the entry geometry of it
    // (false when there was no approach or the geometry is unusable).
    // ReportEntry: result lines 0 to 2. GuessIncrement: the first guess from
    // the approach asymptotes, into deltaV when it is finite.
    bool FlyToEntry(const VECTOR3 &increment, OBJHANDLE earth);
    void ReportEntry(const VECTOR3 &increment, double miss, OBJHANDLE earth);
    void GuessIncrement();
};

#endif  // OKUL_PROGRAMS_PLEPROGRAM_H
