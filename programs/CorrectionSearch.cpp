#include "CorrectionSearch.h"
#include "InterfaceConstants.h"

#include <cmath>

#include "OrbitRecord.h"
#include "PieProgram.h"
#include "ReportFile.h"
#include "RunBounds.h"
#include "VectorMath.h"

namespace {

const char kSearchLog[] = "Q4K12techout\\prg78OH.txt";

const double kEarthRadius = 6371000.0;       // m: no periapsis counts below it
const double kFirstAngleStep = 10.0 * kRad;  // rad
const double kSmallestAngleStep = kRad;      // a step below one degree ends the axis
const double kFirstMagnitudeStep = 1.0;      // m/s
const double kSmallestMagnitudeStep = 0.5;   // m/s
const int kResultLine = 3;

void SetAngles(TrialRecord &trial, const TrialRecord &from) {
    trial.elevation = from.elevation;
    trial.azimuth = from.azimuth;
    trial.magnitude = from.magnitude;
}

void SetIncrement(TrialRecord &trial, double elevation, double azimuth, double magnitude) {
    trial.increment[0] = elevation;
    trial.increment[1] = azimuth;
    trial.increment[2] = magnitude;
}

}  // namespace

CorrectionSearch::CorrectionSearch(PieProgram &program) : trials(0), program(program), log(nullptr) {}

void CorrectionSearch::Log(const char *text) {
    if (log) std::fputs(text, log);
}

void CorrectionSearch::LogTrial(const char *label, const TrialRecord &trial) {
    if (log) {
        std::fprintf(log, "\n%s R%.1f, T%.2f R%.2f Vi%.2f", label, trial.periapsis / 1000.0,
                     trial.elevation * kDeg, trial.azimuth * kDeg, trial.magnitude);
    }
}

double CorrectionSearch::Evaluate(TrialRecord &trial) {
    trial.elevation += trial.increment[0];
    trial.azimuth += trial.increment[1];
    trial.magnitude += trial.increment[2];
    trial.elevation = std::asin(std::sin(trial.elevation));
    trial.azimuth = std::asin(std::sin(trial.azimuth));
    RotateXYZ(_V(0.0, 0.0, trial.magnitude), _V(trial.elevation, 0.0, 0.0), trial.deltaV);
    RotateXYZ(trial.deltaV, _V(0.0, trial.azimuth, 0.0), trial.deltaV);
    const double periapsis = ClosestPeriapsis(trial.deltaV);
    trial.periapsis = periapsis > kEarthRadius ? periapsis : kEarthRadius;
    return trial.periapsis;
}

double CorrectionSearch::ClosestPeriapsis(const VECTOR3 &deltaV) {
    PieProgram &p = program;
    p.ForgetClosestApproach();
    p.integrator.Integrate(p.endMjd, p.tolerance, deltaV);

    VECTOR3 earthPos = _V(0.0, 0.0, 0.0), earthVel = _V(0.0, 0.0, 0.0);
    OrbitRecord orbit = {};
    orbit.mu = p.tables[ReturnIntegrator::kEarth].StateAt(p.closestMjd, earthPos, earthVel);
    orbit.epoch = p.closestMjd;
    orbit.velocity = p.closestVel - earthVel;
    orbit.position = p.closestPos;
    StateToElements(orbit);
    return orbit.semiLatusRectum / (1.0 + orbit.eccentricity);
}

bool CorrectionSearch::SearchDirection(TrialRecord &trial, TrialRecord &best) {
    double step = kFirstAngleStep;
    SetIncrement(trial, step, 0.0, 0.0);
    SetIncrement(best, step, 0.0, 0.0);
    bool improved = false;
    int axis = 0;
    for (;;) {
        Evaluate(trial);
        ++trials;
        LogTrial("StepRez", trial);
        trial.change = trial.periapsis - best.periapsis;
        if (trial.change < 0.0) {
            // Better: the same increment again.
            best = trial;
            improved = true;
            Log("\n====Continue");
        } else {
            step /= 2.0;
            SetAngles(trial, best);
            if (step >= kSmallestAngleStep) {
                Log("\n====Change step size, reverse direction");
                trial.increment[axis] = -Sign(trial.increment[axis]) * step;
            } else if (axis == 0) {
                Log("\n====Change axis");
                step = kFirstAngleStep;
                SetIncrement(trial, 0.0, step, 0.0);
                axis = 1;
            } else {
                return improved;
            }
        }
        if (trials >= kMaxCorrectionTrials) return improved;
    }
}

bool CorrectionSearch::SearchMagnitude(TrialRecord &trial, TrialRecord &best) {
    Log("\n====Destignition");
    trial = best;
    SetIncrement(trial, 0.0, 0.0, kFirstMagnitudeStep);
    const char *pending = "\n====Change velosity";
    bool improved = false;
    for (;;) {
        Log(pending);
        Evaluate(trial);
        trial.change = trial.periapsis - best.periapsis;
        ++trials;
        LogTrial("StepRez", trial);
        if (trial.change < 0.0) {
            best = trial;  // with the increment just used
            trial.increment[2] *= 2.0;
            improved = true;
            pending = "\n====;crease velosity";
        } else if (trial.increment[2] >= kSmallestMagnitudeStep) {
            trial.increment[2] /= 3.0;
            SetAngles(trial, best);
            trial.periapsis = best.periapsis;
            pending = "\n====new routine";
        } else {
            trial = best;
            return improved;
        }
        if (trials >= kMaxCorrectionTrials) {
            trial = best;
            return improved;
        }
    }
}

bool CorrectionSearch::Search(VECTOR3 &deltaV) {
    char *summary = program.resultLines[kResultLine];
    const int summarySize = PieProgram::kLineSize;
    log = OpenReportFile(kSearchLog, "w");
    trials = 0;

    const double magnitude = length(deltaV);
    if (!(magnitude > 0.0) || !std::isfinite(magnitude)) {
        // Without a direction the start point's angles are undefined.
        std::snprintf(summary, summarySize, "Коррекция невозможна: нет направления dV");
        if (log) std::fclose(log);
        log = nullptr;
        return false;
    }

    TrialRecord start = {};
    start.magnitude = magnitude;
    const VECTOR3 u = deltaV / magnitude;
    start.elevation = std::atan2(u.y, u.x);
    start.azimuth = std::atan2(u.x, u.z);
    Evaluate(start);
    LogTrial("StartPoint", start);
    start.change = 0.0;

    TrialRecord best = start;
    TrialRecord trial = start;
    bool improved;
    do {
        improved = SearchDirection(trial, best);
        if (SearchMagnitude(trial, best)) improved = true;
    } while (improved && trials < kMaxCorrectionTrials);

    std::snprintf(summary, summarySize, "Коррекция (%d) dV %.2f м/с ErrR %.1f км", trials, best.magnitude,
                  best.periapsis / 1000.0);
    Log("\n ++exit");
    LogTrial("StepRez", best);
    if (log) std::fclose(log);
    log = nullptr;
    deltaV = best.deltaV;
    return true;
}
