#include "PieProgram.h"
#include "InterfaceConstants.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "BodyEphemeris.h"
#include "DecimalReading.h"
#include "HeliocentricStates.h"
#include "OrbitRecord.h"
#include "PlanetFrames.h"
#include "RecordFormat.h"

namespace {

const double kDefaultEndMjd = 43644.0;
const double kEarthGm = 398600439968871.2;            // m^3/s^2
const double kOneSecond = 1.0 / 86400.0;              // [days]
const double kDirectionRecordTime = -30.0 / 86400.0;  // thirty seconds [days]
const double kBurnRecordTime = -600.0 / 86400.0;      // ten minutes [days]
const double kAutomaticTableStep = 1.0;               // [days]
const double kFarAway = 1e20;                         // m, per component
const int kFieldCount = 10;

const char kNoResult[] = "_ _";
const char kTablesBuilt[] = "REZ=Контрольные точки установлены";
const char kTablesRefused[] = "REZ=Контрольные точки не установлены";
const char kTablesCleared[] = "REZ=Сброс осуществлен";
const char kAutomaticTables[] = "!!!Автоустановка КТ, шаг 1 сут";

enum ResultLine { kErrorLine, kPeriapsisLine, kSurfaceLine, kCorrectionLine, kTableLine };

}  // namespace

PieProgram::PieProgram(VESSEL *owner)
    : owner(owner),
      endMjd(0.0),
      direction(_V(0.0, 0.0, 0.0)),
      reserved(_V(0.0, 0.0, 0.0)),
      tolerance(0.0),
      scale(0.0),
      mode(0.0),
      startPos(_V(0.0, 0.0, 0.0)),
      startVel(_V(0.0, 0.0, 0.0)),
      startMjd(0.0),
      closestPos(_V(0.0, 0.0, 0.0)),
      closestVel(_V(0.0, 0.0, 0.0)),
      closestMjd(0.0),
      closestPosError(0.0),
      closestVelError(0.0),
      directionRecordLine(0),
      burnRecordLine(1),
      deltaV(_V(0.1, 0.1, 0.1)),
      integrator(*this),
      search(*this) {
    std::memset(resultLines, 0, sizeof(resultLines));
    std::memset(directionRecord, 0, sizeof(directionRecord));
    std::memset(burnRecord, 0, sizeof(burnRecord));
}

void PieProgram::ReadControlWord(const char *controlWord) {
    endMjd = kDefaultEndMjd;
    direction = _V(0.0, 0.0, 0.0);
    reserved = _V(0.0, 0.0, 0.0);
    tolerance = 0.0;
    scale = 0.0;
    mode = 0.0;
    double *const fields[kFieldCount] = {&endMjd,     &direction.x, &direction.y, &direction.z, &reserved.x,
                                         &reserved.y, &reserved.z,  &tolerance,   &scale,       &mode};
    const char *position = controlWord ? controlWord : "";
    for (int i = 0; i < kFieldCount; ++i) {
        while (*position == ';') ++position;
        if (!*position) break;
        *fields[i] = ReadDecimalNumber(position);
        while (*position && *position != ';') ++position;
    }
}

bool PieProgram::BuildTables(double stepDays) {
    for (int body = 0; body < ReturnIntegrator::kBodyCount; ++body) {
        if (!tables[body].Build(ReturnIntegrator::BodyName(body), startMjd, endMjd, stepDays)) {
            // The tables are built and cleared together.
            ClearTables();
            return false;
        }
    }
    return true;
}

void PieProgram::ClearTables() {
    for (CheckpointTable &table : tables) table.Clear();
}

void PieProgram::ForgetClosestApproach() {
    closestMjd = 0.0;
    closestPos = _V(kFarAway, kFarAway, kFarAway);
}

double PieProgram::Run(const char *controlWord) {
    ReadControlWord(controlWord);
    startMjd = oapiGetSimMJD();
    for (char *line : resultLines) std::snprintf(line, kLineSize, "%s", kNoResult);

    if (mode < 0.0) {
        const bool built = BuildTables(-1.0 / mode);
        std::snprintf(resultLines[kTableLine], kLineSize, "%s", built ? kTablesBuilt : kTablesRefused);
        return 0.0;
    }
    if (mode == 0.0) {
        ClearTables();
        std::snprintf(resultLines[kTableLine], kLineSize, "%s", kTablesCleared);
        return 0.0;
    }
    return mode > 0.0 ? Predict() : 0.0;
}

double PieProgram::Predict() {
    if (tables[ReturnIntegrator::kEarth].count == 0) {
        std::snprintf(resultLines[kTableLine], kLineSize, "%s", kAutomaticTables);
        if (!BuildTables(kAutomaticTableStep)) {
            std::snprintf(resultLines[kTableLine], kLineSize, "%s", kTablesRefused);
            return 0.0;
        }
    }

    HeliocentricState(owner ? owner->GetHandle() : nullptr, BodyByName("Sun"), startPos, startVel);

    deltaV = direction * scale;
    bool correction = mode > 1.0;
    if (correction) {
        deltaV = startVel / length(startVel) * scale;
        if (!search.Search(deltaV)) {
            // Refused: the flight is predicted without an increment.
            correction = false;
            deltaV = _V(0.0, 0.0, 0.0);
        }
    } else {
        std::snprintf(resultLines[kCorrectionLine], kLineSize, " ");
    }

    ForgetClosestApproach();
    const double steps = integrator.Integrate(endMjd, tolerance, deltaV);
    ReportPeriapsis();

    if (!correction) return steps;
    const double magnitude = length(deltaV);
    FormatAttitudeRecord(directionRecord, sizeof(directionRecord), kDirectionRecordTime, deltaV / magnitude);
    FormatBurnRecord(burnRecord, sizeof(burnRecord), kBurnRecordTime, magnitude);
    return -steps;
}

void PieProgram::ReportPeriapsis() {
    const VECTOR3 earthVel =
        EphemerisPosition(closestMjd + kOneSecond, "Earth") - EphemerisPosition(closestMjd, "Earth");
    closestVel = closestVel - earthVel;

    OrbitRecord orbit = {};
    orbit.mu = kEarthGm;
    orbit.epoch = closestMjd;
    orbit.velocity = closestVel;
    orbit.position = closestPos;
    StateToElements(orbit);
    const double p = orbit.semiLatusRectum, e = orbit.eccentricity;
    const double periapsisRadius = p / (1.0 + e);
    const double periapsisSpeed = (1.0 + e) * std::sqrt(kEarthGm / p);
    std::snprintf(resultLines[kErrorLine], kLineSize, "ERR=TuA %.1f R %.1f км V %.1f м/с",
                  orbit.trueAnomaly * kDeg, closestPosError / 1000.0, closestVelError);
    std::snprintf(resultLines[kPeriapsisLine], kLineSize, "REZ=MJD %.3f R %.2f км V %.1f м/с",
                  orbit.periapsisTime, periapsisRadius / 1000.0, periapsisSpeed);

    // The periapsis point over the rotating Earth.
    orbit.epoch = orbit.periapsisTime;
    ElementsToState(orbit);
    OBJHANDLE earth = BodyByName("Earth");
    VECTOR3 surface = orbit.position;
    EclipticToPlanetSurface(orbit.periapsisTime, earth, surface);
    std::snprintf(resultLines[kSurfaceLine], kLineSize, "REZ=Д %.2f Ш %.2f Выс %.1f", surface.x * kDeg,
                  surface.y * kDeg, (surface.z - oapiGetSize(earth)) / 1000.0);
}
