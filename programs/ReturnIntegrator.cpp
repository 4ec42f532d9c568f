#include "ReturnIntegrator.h"

#include <cmath>
#include <cstdio>

#include "BodyEphemeris.h"
#include "PieProgram.h"
#include "ReportFile.h"
#include "RunBounds.h"

namespace {

const char kStepLog[] = "Q4K12techout\\prg78.out";

const double kGmSun = 1.3271243995508995e20;  // m^3/s^2
const double kJupiterFactor = 0.3265;         // Jupiter's attraction counts at this share
const double kEarthRadius = 6371000.0;        // m
const double kSecondsPerDay = 86400.0;
const double kInitialStep = 1.0;    // s
const double kMinimumStep = 0.001;  // s

const char *const kBodyNames[ReturnIntegrator::kBodyCount] = {"Earth",   "Moon",  "Mars",
                                                              "Jupiter", "Venus", "Saturn"};

// -gm * d / |d|^3
VECTOR3 Attraction(double gm, const VECTOR3 &d) {
    const double distance = length(d);
    return d * (-gm / (distance * distance * distance));
}

struct StateRate {
    VECTOR3 dr, dv;
};

}  // namespace

const char *ReturnIntegrator::BodyName(int body) {
    return body >= 0 && body < kBodyCount ? kBodyNames[body] : "";
}

ReturnIntegrator::ReturnIntegrator(PieProgram &program)
    : plainBodyStates(false),
      forceEvaluations(0),
      bodyPositionSets(0),
      program(program),
      integrating(false),
      cacheFilled(0),
      useCount(0) {}

void ReturnIntegrator::ComputePositions(double mjd, BodyPositions &out) {
    ++bodyPositionSets;
    out.mjd = mjd;
    for (int body = 0; body < kBodyCount; ++body) {
        CheckpointTable &table = program.tables[body];
        VECTOR3 velocity;
        out.position[body] = _V(0.0, 0.0, 0.0);
        out.gm[body] = plainBodyStates ? table.StateAt(mjd, out.position[body], velocity)
                                       : table.PositionAt(mjd, out.position[body]);
    }
    // The Moon's table is Earth-centred.
    out.position[kMoon] = out.position[kMoon] + out.position[kEarth];
}

void ReturnIntegrator::ForgetPositions() {
    cacheFilled = 0;
    useCount = 0;
}

const ReturnIntegrator::BodyPositions &ReturnIntegrator::PositionsAt(double mjd) {
    if (plainBodyStates || !integrating) {
        ComputePositions(mjd, scratch);
        return scratch;
    }
    ++useCount;
    int leastRecent = 0;
    for (int i = 0; i < cacheFilled; ++i) {
        if (cache[i].mjd == mjd) {
            lastUse[i] = useCount;
            return cache[i];
        }
        if (lastUse[i] < lastUse[leastRecent]) leastRecent = i;
    }
    const int slot = cacheFilled < kCacheSize ? cacheFilled++ : leastRecent;
    ComputePositions(mjd, cache[slot]);
    lastUse[slot] = useCount;
    return cache[slot];
}

void ReturnIntegrator::Derivatives(double mjd, const VECTOR3 &r, const VECTOR3 &v, VECTOR3 &dr, VECTOR3 &dv) {
    ++forceEvaluations;
    const BodyPositions &bodies = PositionsAt(mjd);
    VECTOR3 a = Attraction(kGmSun, r);
    a += Attraction(bodies.gm[kEarth], r - bodies.position[kEarth]);
    a += Attraction(bodies.gm[kMoon], r - bodies.position[kMoon]);
    a += Attraction(bodies.gm[kMars], r - bodies.position[kMars]);
    a += Attraction(bodies.gm[kJupiter], r - bodies.position[kJupiter]) * kJupiterFactor;
    a += Attraction(bodies.gm[kVenus], r - bodies.position[kVenus]);
    a += Attraction(bodies.gm[kSaturn], r - bodies.position[kSaturn]);
    dr = v;
    dv = a;
}

double ReturnIntegrator::Attempt(Flight &flight, double h, VECTOR3 &nextR, VECTOR3 &nextV) {
    StateRate k1, k2, k3, k4;
    const double t = flight.t;
    const VECTOR3 &r = flight.r, &v = flight.v;
    const double mid = t + (h / 2.0) / kSecondsPerDay;
    const double end = t + h / kSecondsPerDay;
    Derivatives(t, r, v, k1.dr, k1.dv);
    Derivatives(mid, r + k1.dr * (h / 2.0), v + k1.dv * (h / 2.0), k2.dr, k2.dv);
    Derivatives(mid, r + k2.dr * (h / 2.0), v + k2.dv * (h / 2.0), k3.dr, k3.dv);
    Derivatives(end, r + k3.dr * h, v + k3.dv * h, k4.dr, k4.dv);
    nextR = r + (k1.dr + k2.dr * 2.0 + k3.dr * 2.0 + k4.dr) * (h / 6.0);
    nextV = v + (k1.dv + k2.dv * 2.0 + k3.dv * 2.0 + k4.dv) * (h / 6.0);

    // Velocity part of the error vector h/6 (k3 - 2 k2 + k4); the sums take
    // rejected attempts too.
    const double velocityError = length((k3.dv - k2.dv * 2.0 + k4.dv) * (h / 6.0));
    flight.velocityErrorSum += velocityError;
    flight.positionErrorSum += flight.velocityErrorSum * h;
    return std::fabs(velocityError / length(nextV));
}

bool ReturnIntegrator::TakeStep(Flight &flight, double tolerance, bool &landsOnEnd, double &relativeError) {
    VECTOR3 nextR, nextV;
    for (;;) {
        relativeError = Attempt(flight, flight.h, nextR, nextV);
        if (!(relativeError > tolerance)) break;
        flight.h /= 2.0;
        flight.stepChanged = true;
        landsOnEnd = false;
        // A step halved to nothing can never pass (a negative tolerance).
        if (flight.h == 0.0) return false;
    }
    flight.r = nextR;
    flight.v = nextV;
    return true;
}

bool ReturnIntegrator::NoteApproach(const Flight &flight, double stepEnd) {
    PieProgram &p = program;
    const VECTOR3 fromEarth = flight.r - EphemerisPosition(stepEnd, kBodyNames[kEarth]);
    const double distance = length(fromEarth);
    if (!(distance < length(p.closestPos))) return false;
    p.closestPosError = flight.positionErrorSum;
    p.closestMjd = stepEnd;
    p.closestVelError = flight.velocityErrorSum;
    p.closestPos = fromEarth;
    p.closestVel = flight.v;
    return distance < kEarthRadius;
}

void ReturnIntegrator::LogStep(std::FILE *log, const Flight &flight, double relativeError, double tolerance) {
    if (!log) return;
    const VECTOR3 sun = EphemerisPosition(flight.t, "Sun");
    std::fprintf(log, "\n st, %6d; mjd, %.3f; dT, %8.1f; kEv, %.2f; Evs, %6g; Exs, %6g; R, %6g Rs, %.1f",
                 flight.n, flight.t, flight.h, relativeError / tolerance, flight.velocityErrorSum,
                 flight.positionErrorSum, length(program.closestPos), length(sun) * 1e-6);
}

double ReturnIntegrator::Integrate(double endMjd, double tolerance, const VECTOR3 &deltaV) {
    // A missing report folder only loses the log.
    std::FILE *log = OpenReportFile(kStepLog, "w");
    ForgetPositions();
    integrating = true;

    Flight flight;
    flight.r = program.startPos;
    flight.v = program.startVel + deltaV;
    flight.t = program.startMjd;
    flight.h = kInitialStep;

    bool running = !(flight.t >= endMjd);
    while (running) {
        // The last step is cut to end on the end date.
        bool landsOnEnd = false;
        if (flight.t + flight.h / kSecondsPerDay > endMjd) {
            flight.h = (endMjd - flight.t) * kSecondsPerDay;
            landsOnEnd = true;
        }
        double relativeError;  // kEv
        if (!TakeStep(flight, tolerance, landsOnEnd, relativeError)) break;

        const double stepEnd = landsOnEnd ? endMjd : flight.t + flight.h / kSecondsPerDay;
        if (NoteApproach(flight, stepEnd)) break;  // impact: the step is not counted

        if (relativeError < 0.1 * tolerance) {
            flight.h *= 2.0;
            flight.stepChanged = true;
        }
        flight.t = stepEnd;
        ++flight.n;

        if (flight.stepChanged) {
            LogStep(log, flight, relativeError, tolerance);
            flight.stepChanged = false;
        }
        running = !(flight.h < kMinimumStep) && flight.n <= kMaxReturnSteps && flight.t < endMjd;
    }

    integrating = false;
    if (log) std::fclose(log);
    return flight.n;
}
