// The PIE program's search for the velocity increment, applied now, that
// brings the periapsis at the closest approach to Earth as low as possible,
// down to the Earth's surface.
//
// Each pass varies the increment's elevation, then its azimuth, by a step
// search (10 degrees, halved and reversed on every failure until below one
// degree), then its magnitude (+1 m/s, doubled while it improves, a third of
// it after a failure until below 0.5 m/s); passes repeat while any trial
// improves. Every trial is a full integration. The trials are logged to
// "Q4K12techout\prg78OH.txt".
#ifndef OKUL_PROGRAMS_CORRECTIONSEARCH_H
#define OKUL_PROGRAMS_CORRECTIONSEARCH_H

#include <OrbiterAPI.h>

#include <cstdio>

class PieProgram;

// One trial of the search.
struct TrialRecord {
    double elevation;     // [rad]
    double azimuth;       // [rad]
    double magnitude;     // [m/s]
    VECTOR3 deltaV;       // the increment from the three above [m/s]
    double increment[3];  // added to elevation, azimuth and magnitude by the next Evaluate
    double periapsis;     // periapsis radius, held at the Earth's radius at and below it [m]
    double change;        // periapsis minus the best trial's [m]
};

class CorrectionSearch {
public:
    explicit CorrectionSearch(PieProgram &program);
    virtual ~CorrectionSearch() {}

    // Applies the trial's increment, folds both angles into -90..90 degrees
    // and forms deltaV = magnitude (-sin az cos el, sin el, cos az cos el).
    // The trial's periapsis becomes ClosestPeriapsis(deltaV), held at the
    // Earth's radius at and below it, and is returned.
    double Evaluate(TrialRecord &trial);

    // Integrates with the increment and returns the periapsis radius of the
    // orbit relative to the Earth's table state at the closest approach.
    virtual double ClosestPeriapsis(const VECTOR3 &deltaV);

    // Replaces deltaV with the best increment found and writes the program's
    // result line 3. A zero (or not finite) starting increment has no
    // direction to start from: the search is refused, result line 3 says so,
    // deltaV stays and false is returned.
    bool Search(VECTOR3 &deltaV);

    // Trials of the last search (the start point not counted).
    int trials;

private:
    void Log(const char *text);
    void LogTrial(const char *label, const TrialRecord &trial);
    // The direction and magnitude phases of one pass; true when a trial improved.
    bool SearchDirection(TrialRecord &trial, TrialRecord &best);
    bool SearchMagnitude(TrialRecord &trial, TrialRecord &best);

    PieProgram &program;
    std::FILE *log;
};

#endif  // OKUL_PROGRAMS_CORRECTIONSEARCH_H
