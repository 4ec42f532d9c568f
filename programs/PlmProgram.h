// PLM: approach correction for the Mars arrival.
//
// From the spacecraft's present heliocentric state the program searches one
// velocity correction, applied 5300 s after the command, that puts the
// periapsis of the Mars approach on a fixed target point over Mars. It prints
// its outcome into resultLines, appends a report to
// "Q4K12techout\PLM(prg77).out" and forms an attitude record (code 210) and a
// burn record (code 130) for the terminal's stored lines.
#ifndef OKUL_PROGRAMS_PLMPROGRAM_H
#define OKUL_PROGRAMS_PLMPROGRAM_H

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include <cstdio>

#include "ApproachPropagator.h"

class PlmProgram {
public:
    explicit PlmProgram(VESSEL *owner);

    // Runs the program for control word n (< 0 reset, 0 uncorrected
    // trajectory, > 0 search) and returns the answer the terminal shows.
    double Run(int controlWord);

    // Miss vector (metres, ecliptic axes) of the Mars periapsis for a trial
    // correction; scaled by 1e6 when the arrival date leaves the window.
    VECTOR3 TargetMiss(const VECTOR3 &trial);

    // Damped Newton search on x (three components) with relative
    // perturbation and convergence bound eps, at most limit + 1 updates of
    // size damping times the Newton step. Returns the number of updates when
    // converged, else a negative count: -(limit + 2) when stopped by the
    // limit; when the Jacobian is singular (a zero component of x gives no
    // perturbation) x keeps its last value, singularJacobian is set and minus
    // the number of the pass is returned.
    int NewtonSearch(double x[3], double eps, int limit, double damping);

    VESSEL *owner;
    VECTOR3 burnDirection;
    double burnMagnitude;
    int directionRecordLine;
    int burnRecordLine;
    double directionRecordTime;
    double burnRecordTime;
    char resultLines[6][110];
    char directionRecord[110];
    char burnRecord[110];
    VECTOR3 deltaV;
    VECTOR3 startMarsPos, startMarsVel;
    VECTOR3 startPos, startVel;
    double startMjd;

    // Set when the last search stopped on a singular Jacobian.
    bool singularJacobian;

private:
    // The stages of a run. Reset: a negative control word. SearchLimits: the
    // iteration limit and damping of a control word above 0. Search: the
    // Newton search from deltaV, result line 2. ReportTrajectory: the final
    // trajectory from the start states with the correction, result lines 0
    // and 1. FormRecords: the attitude and burn records of deltaV.
    void Reset();
    static void SearchLimits(int n, int &limit, double &damping);
    void Search(int limit, double damping);
    void ReportTrajectory(const ApproachState &start, const VECTOR3 &correction, OBJHANDLE mars);
    void FormRecords();

    std::FILE *report;  // the report file during a run; null when it could not be opened
};

#endif  // OKUL_PROGRAMS_PLMPROGRAM_H
