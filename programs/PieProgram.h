// PIE: prediction of the flight back to Earth and its correction.
//
// From the spacecraft's present heliocentric state the program predicts the
// flight to an end date under the Sun and six bodies (Earth, Moon, Mars,
// Jupiter, Venus, Saturn), finds the closest approach to Earth and reports
// the Earth-relative orbit there: the periapsis date, radius and speed and
// the periapsis point over the rotating Earth. Its correction mode first
// searches the velocity increment that brings the periapsis down to the
// Earth's surface and forms an attitude record (code 210) and a burn record
// (code 130). The bodies' positions come from six checkpoint tables, which
// the control word builds and clears and a prediction builds when missing.
//
// The control word holds up to ten numbers separated by ';':
//   1 end date (MJD, 43644.0 when missing)   2-4 direction of the increment
//   5-7 kept, unused   8 tolerance per step   9 scale of the increment [m/s]
//   10 mode: < 0 build the tables with step -1/mode days, 0 clear them,
//      (0, 1] predict with scale x direction, > 1 search the correction.
#ifndef OKUL_PROGRAMS_PIEPROGRAM_H
#define OKUL_PROGRAMS_PIEPROGRAM_H

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include "CheckpointTable.h"
#include "CorrectionSearch.h"
#include "ReturnIntegrator.h"

class PieProgram {
public:
    static const int kResultLineCount = 5;
    static const int kLineSize = 110;

    explicit PieProgram(VESSEL *owner);

    // Runs the program for the control word and returns the answer the
    // terminal shows: 0 after a table action, the number of accepted
    // integration steps after a prediction, minus that number after a
    // correction run (the only case that forms records).
    double Run(const char *controlWord);

    // Sets endMjd, direction, reserved, tolerance, scale and mode from the
    // control word. Runs of ';' are one separator; each field is read by its
    // longest decimal prefix; fields missing at the end keep their defaults
    // and fields after the tenth are ignored.
    void ReadControlWord(const char *controlWord);

    // Builds the six tables from startMjd to endMjd with the given step
    // (days). When any table is refused all six are left empty and false is
    // returned.
    bool BuildTables(double stepDays);
    void ClearTables();

    // closestMjd 0 and closestPos far away, as each integration expects.
    void ForgetClosestApproach();

    VESSEL *owner;
    CheckpointTable tables[ReturnIntegrator::kBodyCount];  // Earth, Moon, Mars, Jupiter, Venus, Saturn
    double endMjd;
    VECTOR3 direction;
    VECTOR3 reserved;
    double tolerance;
    double scale;  // [m/s]
    double mode;
    VECTOR3 startPos, startVel;  // heliocentric, when the command was given
    double startMjd;
    VECTOR3 closestPos;  // relative to Earth at the closest approach
    VECTOR3 closestVel;  // heliocentric from the integration; Earth-relative after a prediction
    double closestMjd;
    double closestPosError;  // [m]
    double closestVelError;  // [m/s]
    int directionRecordLine;
    int burnRecordLine;
    char resultLines[kResultLineCount][kLineSize];
    char directionRecord[kLineSize];
    char burnRecord[kLineSize];
    VECTOR3 deltaV;  // increment of the last prediction [m/s]

    ReturnIntegrator integrator;
    CorrectionSearch search;

private:
    double Predict();
    void ReportPeriapsis();
};

#endif  // OKUL_PROGRAMS_PIEPROGRAM_H
