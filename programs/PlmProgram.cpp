#include "PlmProgram.h"
#include "InterfaceConstants.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "ApproachPropagator.h"
#include "HeliocentricStates.h"
#include "PlanetFrames.h"
#include "ProgramNotes.h"
#include "RecordFormat.h"
#include "ReportFile.h"
#include "RunBounds.h"
#include "VectorMath.h"

namespace {

const char kReportFile[] = "Q4K12techout\\PLM(prg77).out";

// Target periapsis over Mars (rotating frame) and the arrival window.
const double kTargetLongitude = -177.84;  // degrees
const double kTargetLatitude = -10.22;    // degrees
const double kTargetRadius = 3359920.0;   // m
const double kReferenceRadius = 3389920.0;
const double kArrivalMjd = 43049.485;
const double kArrivalWindow = 0.4;  // days
const double kWindowPenalty = 1e6;

const double kBurnTime = 5300.0;  // s after the start
const PropagationParameters kSearchPropagation = {360.0, 2650000.0, 0.001};
const PropagationParameters kFinalPropagation = {3600.0, 3000000.0, 0.001};
const double kSearchBound = 0.001;

VECTOR3 TargetVector(double mjd, OBJHANDLE mars) {
    VECTOR3 target = _V(kTargetLongitude * kRad, kTargetLatitude * kRad, kTargetRadius);
    PlanetSurfaceToEcliptic(mjd, mars, target);
    return target;
}

}  // namespace

PlmProgram::PlmProgram(VESSEL *owner)
    : owner(owner),
      burnDirection(_V(0.0, 0.0, 0.0)),
      burnMagnitude(10.0),
      directionRecordLine(0),
      burnRecordLine(1),
      directionRecordTime(-1.1574074074074073e-05),
      burnRecordTime(-0.003472222222222222),
      deltaV(_V(0.1, 0.1, 0.1)),
      startMarsPos(_V(0.0, 0.0, 0.0)),
      startMarsVel(_V(0.0, 0.0, 0.0)),
      startPos(_V(0.0, 0.0, 0.0)),
      startVel(_V(0.0, 0.0, 0.0)),
      startMjd(0.0),
      singularJacobian(false),
      report(nullptr) {
    std::memset(resultLines, 0, sizeof(resultLines));
    std::memset(directionRecord, 0, sizeof(directionRecord));
    std::memset(burnRecord, 0, sizeof(burnRecord));
}

void PlmProgram::Reset() {
    deltaV = _V(0.1, 0.1, 0.1);
    std::FILE *emptied = OpenReportFile(kReportFile, "w");
    if (emptied) std::fclose(emptied);
}

void PlmProgram::Search(int limit, double damping) {
    double x[3] = {deltaV.x, deltaV.y, deltaV.z};
    const int count = NewtonSearch(x, kSearchBound, limit, damping);
    deltaV = _V(x[0], x[1], x[2]);
    std::snprintf(resultLines[2], sizeof(resultLines[2]), "%2dш dV %.3f %.3f %.3f%s", count, deltaV.x,
                  deltaV.y, deltaV.z, singularJacobian ? kSingularJacobianNote : "");
    if (report) {
        std::fprintf(report, "\nСделано %2d шагов  коррекция  dV %.3g %.3g %.3g", count, deltaV.x, deltaV.y,
                     deltaV.z);
    }
}

void PlmProgram::ReportTrajectory(const ApproachState &start, const VECTOR3 &correction, OBJHANDLE mars) {
    PropagationParameters parameters = kFinalPropagation;
    ApproachState state = start;
    PropagateToPeriapsis(state, parameters, correction, kBurnTime);
    const double periapsisTime = parameters.horizon;
    const VECTOR3 r = state.shipPos - state.marsPos;
    const VECTOR3 v = state.shipVel - state.marsVel;

    std::snprintf(resultLines[0], sizeof(resultLines[0]), "T %.0f (%.5f) R %.1f V %.1f ", periapsisTime,
                  startMjd + periapsisTime / 86400.0, length(r) / 1000.0, length(v));
    if (report) std::fprintf(report, "\n%s", resultLines[0]);

    const double arrival = oapiGetSimMJD() + periapsisTime / 86400.0;
    const VECTOR3 miss = TargetVector(arrival, mars) - r;
    VECTOR3 surface = r;
    EclipticToPlanetSurface(arrival, mars, surface);
    std::snprintf(resultLines[1], sizeof(resultLines[1]), "Д %.2f Ш %.2f В %.1f км Rош %.3g км",
                  surface.x * kDeg, surface.y * kDeg, (surface.z - kReferenceRadius) / 1000.0,
                  length(miss) / 1000.0);
    if (report) std::fprintf(report, "\n%s", resultLines[1]);
}

void PlmProgram::FormRecords() {
    burnMagnitude = length(deltaV);
    burnDirection = burnMagnitude > 0.0 ? deltaV / burnMagnitude : _V(0.0, 0.0, 0.0);
    FormatAttitudeRecord(directionRecord, sizeof(directionRecord), directionRecordTime, burnDirection);
    FormatBurnRecord(burnRecord, sizeof(burnRecord), burnRecordTime, burnMagnitude);
    if (report) {
        std::fprintf(report, "3=====================\n");
        std::fprintf(report, "Cформированы команды\n");  // the first letter is a Latin C
        std::fprintf(report, "%s\n", directionRecord);
        std::fprintf(report, "%s\n", burnRecord);
    }
}

void PlmProgram::SearchLimits(int n, int &limit, double &damping) {
    if (n <= 100) {
        limit = n, damping = 1.0;
    } else if (n <= 199) {
        limit = n - 100, damping = 0.1;
    } else if (n <= 299) {
        limit = n - 200, damping = 0.01;
    } else if (n <= 399) {
        limit = n - 300, damping = 0.001;
    } else {
        limit = 1, damping = 0.001;
    }
}

double PlmProgram::Run(int n) {
    if (n < 0) {
        Reset();
        return 0.0;
    }

    // A missing report folder only loses the report; the run goes on.
    report = OpenReportFile(kReportFile, "a");

    OBJHANDLE mars = BodyByName("Mars");
    OBJHANDLE sun = BodyByName("Sun");
    ApproachState start;
    HeliocentricState(owner->GetHandle(), sun, start.shipPos, start.shipVel);
    HeliocentricState(mars, sun, start.marsPos, start.marsVel);
    startMjd = oapiGetSimMJD();

    int limit = 0;
    if (n != 0) {
        startMarsPos = start.marsPos;
        startMarsVel = start.marsVel;
        startPos = start.shipPos;
        startVel = start.shipVel;
        if (report) std::fprintf(report, "\n\n Поиск параметром %d", n);
        double damping;
        SearchLimits(n, limit, damping);
        if (limit > kMaxPlmPasses) limit = kMaxPlmPasses;
        Search(limit, damping);
    }

    VECTOR3 correction = deltaV;
    if (limit == 0) {
        if (report) std::fprintf(report, "\n\n Исходная траектория (без коррекции)");
        correction = _V(0.0, 0.0, 0.0);
    }
    ReportTrajectory(start, correction, mars);
    if (limit >= 1) FormRecords();

    if (report) std::fclose(report);
    report = nullptr;
    return limit >= 1 ? limit : 0.0;
}

VECTOR3 PlmProgram::TargetMiss(const VECTOR3 &trial) {
    ApproachState state = {startMarsPos, startMarsVel, startPos, startVel};
    PropagationParameters parameters = kSearchPropagation;
    deltaV = trial;
    PropagateToPeriapsis(state, parameters, trial, kBurnTime);

    const VECTOR3 r = state.shipPos - state.marsPos;
    const double arrival = oapiGetSimMJD() + parameters.horizon / 86400.0;
    VECTOR3 miss = r - TargetVector(arrival, BodyByName("Mars"));
    if (std::fabs(arrival - kArrivalMjd) > kArrivalWindow) miss *= kWindowPenalty;
    return miss;
}

int PlmProgram::NewtonSearch(double x[3], double eps, int limit, double damping) {
    singularJacobian = false;
    int passes = 0;
    for (;;) {
        // The limit is checked before the pass's propagations: a pass that
        // would stop here makes no update, so its miss and Jacobian are not
        // needed.
        const int pass = passes++;
        if (pass > limit) return -passes;

        VECTOR3 trial = _V(x[0], x[1], x[2]);
        const VECTOR3 miss = TargetMiss(trial);
        double negatedMiss[3] = {-miss.x, -miss.y, -miss.z};
        double jacobian[9];
        for (int k = 0; k < 3; ++k) {
            const double saved = x[k];
            const double perturbation = eps * std::fabs(saved);
            if (perturbation == 0.0) {
                // A zero component cannot be perturbed: the column would be
                // 0/0. Stop with x as it stands.
                singularJacobian = true;
                return -passes;
            }
            x[k] = saved + perturbation;
            trial = _V(x[0], x[1], x[2]);
            const VECTOR3 perturbed = TargetMiss(trial);
            for (int m = 0; m < 3; ++m)
                jacobian[m * 3 + k] = (perturbed.data[m] - miss.data[m]) / perturbation;
            x[k] = saved;
        }

        double step[3] = {0.0, 0.0, 0.0};
        if (!AllFinite(negatedMiss, 3) || !AllFinite(jacobian, 9) ||
            !SolveLinearSystem(3, jacobian, negatedMiss, step) || !AllFinite(step, 3)) {
            singularJacobian = true;
            return -passes;
        }

        bool converged = true;
        for (int k = 0; k < 3; ++k) {
            x[k] += damping * step[k];
            if (std::fabs(step[k] / x[k]) > eps) converged = false;
        }
        if (converged) return passes;
    }
}
