#include "PleProgram.h"
#include "InterfaceConstants.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "BodyEphemeris.h"
#include "HeliocentricStates.h"
#include "PlanetFrames.h"
#include "ProgramNotes.h"
#include "Quaternion.h"
#include "RecordFormat.h"
#include "RunBounds.h"
#include "ThreeBodyPropagator.h"
#include "VectorMath.h"

namespace {

const double kSecondsPerDay = 86400.0;
const double kBurnTime = 600.0;  // s after the command
const ThreeBodyParameters kPropagation = {360.0, 3000000.0, 0.001};
const double kSolveTolerance = 0.001;

// Accuracy classes by the miss distance.
const double kCoarseMiss = 10000000.0;  // m; above: class 0
const double kFineMiss = 100000.0;      // m; above: class 1

// Distance of the asymptote points of the first guess: 0.001672 AU, the unit
// taken as the light time of one unit times the speed of light.
const double kGuessDistance = 0.001672 * 299792458.0 * 499.004783806;

const char kPeriapsisFormat[] = "%s MJD%.4f dT %.1f R %.1f V %.1f ЭкН %.2fД %.2f Ш %.2f";
const char kMissFormat[] = "Err=<%d> %.3g км (%.3f) || NN %.2f %.2f %.2f %.2f";

VECTOR3 EarthPositionAt(double mjd) {
    VECTOR3 position = _V(0.0, 0.0, 0.0), velocity = _V(0.0, 0.0, 0.0);
    int flags = 0;
    GetBodyEphemeris(mjd, "Earth", position, velocity, flags);
    return position;
}

// Inclination [degrees] of the orbit through (r, v) to the Earth's equator:
// both turned by the obliquity about x, the normal taken as v x r (the
// simulator's axes are left-handed).
double EquatorialInclination(const VECTOR3 &r, const VECTOR3 &v, double obliquity) {
    VECTOR3 rEquatorial, vEquatorial;
    RotateXYZ(r, _V(obliquity, 0.0, 0.0), rEquatorial);
    RotateXYZ(v, _V(obliquity, 0.0, 0.0), vEquatorial);
    const VECTOR3 normal = unit(crossp(vEquatorial, rEquatorial));
    // Rounding may put the component a hair beyond 1; no number stays no number.
    const double y = normal.y > 1.0 ? 1.0 : normal.y < -1.0 ? -1.0 : normal.y;
    return std::acos(y) * kDeg;
}

// "Tru=" / "Tar=" line of a periapsis: date, seconds from now, radius [km],
// speed, equatorial inclination, longitude and latitude at that date.
void FormatPeriapsisLine(char *out, std::size_t size, const char *label, double mjd, double radius,
                         const VECTOR3 &position, const VECTOR3 &velocity, OBJHANDLE earth) {
    VECTOR3 surface = position;
    EclipticToPlanetSurface(mjd, earth, surface);
    std::snprintf(out, size, kPeriapsisFormat, label, mjd, (mjd - oapiGetSimMJD()) * kSecondsPerDay,
                  radius / 1000.0, length(velocity),
                  EquatorialInclination(position, velocity, oapiGetPlanetObliquity(earth)), surface.x * kDeg,
                  surface.y * kDeg);
}

// Hyperbolic excess speed of an Earth-relative state (NaN when bound).
double ExcessSpeed(const VECTOR3 &r, const VECTOR3 &v) {
    const double speed = length(v);
    return std::sqrt(speed * speed - 2.0 * kThreeBodyGmEarth / length(r));
}

}  // namespace

PleProgram::PleProgram(VESSEL *owner)
    : owner(owner),
      directionRecordLine(0),
      burnRecordLine(1),
      directionTime(-1.0 / kSecondsPerDay),
      burnTimeOffset(-300.0 / kSecondsPerDay),
      deltaV(_V(0.1, 0.1, 0.1)),
      earthPos(_V(0.0, 0.0, 0.0)),
      earthVel(_V(0.0, 0.0, 0.0)),
      vesselPos(_V(0.0, 0.0, 0.0)),
      vesselVel(_V(0.0, 0.0, 0.0)),
      moonPos(_V(0.0, 0.0, 0.0)),
      moonVel(_V(0.0, 0.0, 0.0)),
      startMjd(0.0),
      entryAngleOffset(1.66 * kPi / 180.0),
      accuracyClass(0),
      singularSolve(false),
      propagationCount(0),
      forceEvaluationCount(0) {
    for (int i = 0; i < 4; ++i) std::snprintf(resultLines[i], sizeof(resultLines[i]), " ");
    std::snprintf(directionRecord, sizeof(directionRecord), " ");
    std::snprintf(burnRecord, sizeof(burnRecord), " ");
    std::memset(&entry, 0, sizeof(entry));
}

void PleProgram::SolveSettings(int e, int &limit, double &probeFactor) {
    // Each hundred of the control word selects a probe factor; the rest is
    // the iteration limit.
    static const double kFactors[10] = {1000.0, 100.0, 10.0, 1.0, 0.1, 0.01, 0.001, 0.0001, 100.0, 1000.0};
    if (e >= 1000) {
        limit = 1;
        probeFactor = 0.00001;
    } else if (e >= 100) {
        limit = e % 100;
        probeFactor = kFactors[e / 100];
    } else {
        limit = e - 1;
        probeFactor = kFactors[0];
    }
}

double PleProgram::Run(int e) {
    propagationCount = 0;
    forceEvaluationCount = 0;
    singularSolve = false;
    if (e < 0) {
        const double seed = -0.01 * e;
        deltaV = _V(seed, seed, seed);
        return 0.0;
    }

    OBJHANDLE sun = BodyByName("Sun");
    HeliocentricState(owner ? owner->GetHandle() : nullptr, sun, vesselPos, vesselVel);
    HeliocentricState(BodyByName("Earth"), sun, earthPos, earthVel);
    HeliocentricState(BodyByName("Moon"), sun, moonPos, moonVel);
    startMjd = oapiGetSimMJD();

    VECTOR3 residual;
    if (e == 0) {
        EvaluateMiss(_V(0.0, 0.0, 0.0), residual, kEvaluateReport);
        return 0.0;
    }
    if (e == 1) {
        deltaV = _V(0.0, 0.0, 0.0);
        EvaluateMiss(deltaV, residual, kEvaluateFirstGuess);
        EvaluateMiss(deltaV, residual, kEvaluateReport);
        return 0.0;
    }

    int limit;
    double probeFactor;
    SolveSettings(e, limit, probeFactor);
    if (limit > kMaxPlePasses) limit = kMaxPlePasses;
    const int result = SolveIncrement(deltaV, kSolveTolerance, limit, probeFactor);
    EvaluateMiss(deltaV, residual, kEvaluateReport);
    if (singularSolve) {
        const std::size_t used = std::strlen(resultLines[2]);
        std::snprintf(resultLines[2] + used, sizeof(resultLines[2]) - used, "%s", kSingularJacobianNote);
    }

    const double size = length(deltaV);
    const VECTOR3 direction = size > 0.0 ? deltaV / size : _V(0.0, 0.0, 0.0);
    FormatAttitudeRecord(directionRecord, sizeof(directionRecord), directionTime, direction);
    FormatBurnRecord(burnRecord, sizeof(burnRecord), burnTimeOffset, size);
    return result;
}

int PleProgram::SolveIncrement(VECTOR3 &x, double tolerance, int limit, double probeFactor) {
    singularSolve = false;
    VECTOR3 miss;
    double missDistance = EvaluateMiss(x, miss, kEvaluatePlain);
    int passes = 0;
    for (;;) {
        double rhs[3] = {-miss.x, -miss.y, -miss.z};
        double jacobian[9];
        for (int j = 0; j < 3; ++j) {
            const double saved = x.data[j];
            const double probe = -std::fabs(saved) * probeFactor;
            if (probe == 0.0 || !std::isfinite(probe)) {
                // A zero component has no probe step: its column would be 0/0.
                singularSolve = true;
                return -passes;
            }
            x.data[j] = saved + probe;
            VECTOR3 probed;
            EvaluateMiss(x, probed, kEvaluateProbe);
            x.data[j] = saved;
            for (int k = 0; k < 3; ++k) jacobian[k * 3 + j] = (probed.data[k] - miss.data[k]) / probe;
        }

        double step[3] = {0.0, 0.0, 0.0};
        if (!AllFinite(rhs, 3) || !AllFinite(jacobian, 9) || !SolveLinearSystem(3, jacobian, rhs, step) ||
            !AllFinite(step, 3)) {
            singularSolve = true;
            return -passes;
        }

        const VECTOR3 previous = x;
        int unsettled = 0;
        for (int j = 0; j < 3; ++j) {
            x.data[j] += step[j];
            if (std::fabs(step[j] / x.data[j]) > tolerance) ++unsettled;
        }
        const double newDistance = EvaluateMiss(x, miss, kEvaluatePlain);
        if (!(newDistance <= 2.0 * missDistance)) {
            // Diverging (or a miss that is no number): back to the previous x.
            if (!std::isfinite(newDistance)) singularSolve = true;
            x = previous;
            return -passes;
        }
        missDistance = newDistance;
        ++passes;
        if (passes >= limit) return -passes;
        if (unsettled == 0) return passes;
    }
}

bool PleProgram::FlyToEntry(const VECTOR3 &increment, OBJHANDLE earth) {
    // The closest approach; without one the start state stands in for it.
    ThreeBodyState state = {earthPos, earthVel, vesselPos, vesselVel, moonPos, moonVel};
    ThreeBodyParameters parameters = kPropagation;
    OrbitRecord closest = {};
    closest.mu = kThreeBodyGmEarth;
    closest.epoch = startMjd;
    closest.position = vesselPos - earthPos;
    closest.velocity = vesselVel - earthVel;
    const bool approached =
        Propagate(state, parameters, closest, increment, kBurnTime, &forceEvaluationCount);
    ++propagationCount;
    return ComputeEntryGeometry(closest, startMjd, entryAngleOffset, earth, entry) && approached;
}

void PleProgram::ReportEntry(const VECTOR3 &increment, double miss, OBJHANDLE earth) {
    const EntryGeometry &g = entry;
    FormatPeriapsisLine(resultLines[0], sizeof(resultLines[0]), "Tru=", g.periapsisMjd,
                        length(g.periapsisPosition), g.periapsisPosition, g.periapsisVelocity, earth);
    const double rp = g.entryPeriapsisRadius;
    const double rc = length(g.closestPosition), vc = length(g.closestVelocity);
    const double targetSpeed =
        std::sqrt(2.0 * kThreeBodyGmEarth / rp + vc * vc - 2.0 * kThreeBodyGmEarth / rc);
    const VECTOR3 targetVelocity = unit(crossp(g.targetAxis, g.targetPeriapsis)) * targetSpeed;
    FormatPeriapsisLine(resultLines[1], sizeof(resultLines[1]), "Tar=", g.targetMjd, rp, g.targetPeriapsis,
                        targetVelocity, earth);
    const VECTOR3 &u = g.approachDirection;
    std::snprintf(resultLines[2], sizeof(resultLines[2]), kMissFormat, accuracyClass, miss / 1000.0,
                  length(increment), u.x, u.y, u.z, ExcessSpeed(g.closestPosition, g.closestVelocity));
}

void PleProgram::GuessIncrement() {
    const EntryGeometry &g = entry;
    // Points at the guess distance on the achieved and on the target
    // approach asymptote, and the flight time to the latter.
    const VECTOR3 achieved =
        unit(
            Quaternion(-std::acos(-1.0 / g.closestEccentricity), g.orbitNormal).Rotate(g.periapsisPosition)) *
        kGuessDistance;
    const double eE = g.entryEccentricity, aE = g.entrySemiMajorAxis;
    const VECTOR3 target =
        unit(Quaternion(-std::acos(-1.0 / eE), g.targetAxis).Rotate(g.targetPeriapsis)) * kGuessDistance;
    const double coshH = (1.0 + kGuessDistance / aE) / eE;
    const double H = std::log(coshH + std::sqrt(coshH * coshH - 1.0));
    const double toDistance =
        std::fabs(std::sqrt(aE * aE * aE / kThreeBodyGmEarth) * (eE * std::sinh(H) - H)) / kSecondsPerDay;
    const double flightTime = (g.targetMjd - startMjd) - toDistance;
    const VECTOR3 guess = (target - achieved) / (flightTime * kSecondsPerDay);
    if (AllFinite(guess.data, 3)) deltaV = guess;
}

double PleProgram::EvaluateMiss(const VECTOR3 &increment, VECTOR3 &residual, int mode) {
    const VECTOR3 x = increment;  // deltaV itself may be passed and is written in mode 777
    OBJHANDLE earth = BodyByName("Earth");
    const bool usable = FlyToEntry(x, earth);

    const EntryGeometry &g = entry;
    const double miss = length(g.periapsisPosition - g.targetPeriapsis);
    accuracyClass = miss > kCoarseMiss ? 0 : miss > kFineMiss ? 1 : 2;
    if (!usable || !std::isfinite(miss)) accuracyClass = 0;
    residual = (g.periapsisPosition + EarthPositionAt(g.periapsisMjd)) -
               (g.targetPeriapsis + EarthPositionAt(g.targetMjd + g.entryToPeriapsis / kSecondsPerDay));

    if (mode == kEvaluateReport) ReportEntry(x, miss, earth);
    if (mode == kEvaluateFirstGuess) GuessIncrement();
    return miss;
}
