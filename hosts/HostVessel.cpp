#include "HostVessel.h"

#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstring>

namespace {

const char kRelayName[] = "K12 Orbiter";
const char kEarthName[] = "Earth";
// A burn counts as complete once less than this is left to give (m/s).
const double kBurnTolerance = 1e-7;
// Below this (m/s) the last step aims at the full remainder; above it at this
// share of it.
const double kBurnAimExact = 1e-4;
const double kBurnAimShort = 0.98;
const int kMaxStackDepth = 16;
// A tank holding less than this (kg) counts as empty.
const double kEmptyTank = 1e-9;

// The line starts with the word `key` (case ignored) followed by a blank or
// its end.
bool StartsWithKey(const char *line, const char *key) {
    size_t n = std::strlen(key);
    for (size_t i = 0; i < n; ++i)
        if (std::toupper(static_cast<unsigned char>(line[i])) != key[i]) return false;
    return line[n] == '\0' || line[n] == ' ' || line[n] == '\t';
}

bool IsFinite(const VECTOR3 &v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// A usable direction: finite and not (nearly) zero.
bool IsDirection(const VECTOR3 &v) { return IsFinite(v) && length(v) > 1e-9; }

// The part of v perpendicular to the unit vector axis, made unit; false when
// v is (nearly) parallel to the axis.
bool PerpendicularUnit(const VECTOR3 &v, const VECTOR3 &axis, VECTOR3 &result) {
    VECTOR3 p = v - axis * dotp(v, axis);
    double n = length(p);
    if (!(n > 1e-6 * length(v))) return false;
    result = p / n;
    return true;
}

VECTOR3 Column(const MATRIX3 &m, int index) {
    return _V(m.data[index], m.data[3 + index], m.data[6 + index]);
}

}  // namespace

int HostInterfaceVersion() {
    static const char *const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char date[] = "Apr 25 2006";
    char month[4] = {0};
    int day = 0, year = 0;
    if (std::sscanf(date, "%3s %d %d", month, &day, &year) != 3) return 0;
    for (int i = 0; i < 12; ++i)
        if (std::strcmp(month, kMonths[i]) == 0) return (year % 100) * 10000 + (i + 1) * 100 + day;
    return 0;
}

HostVessel::HostVessel(OBJHANDLE hVessel, int flightModel, const HostFigures &hostFigures)
    : VESSEL2(hVessel, flightModel),
      figures(hostFigures),
      tank(nullptr),
      mainGroup(nullptr),
      mode(hostFigures.defaultMode),
      attitudeHold(false),
      burnRemaining(0.0),
      burnTarget(0.0),
      burnUsed(0.0),
      stepLevel(0.0),
      stepTankMass(0.0),
      relayMissingLogged(false),
      statusRead(false),
      logFile(nullptr) {}

HostVessel::~HostVessel() {
    if (logFile) std::fclose(logFile);
}

// ---------------------------------------------------------------------------
// Set-up and scenario state

void HostVessel::clbkSetClassCaps(FILEHANDLE cfg) {
    SetEmptyMass(figures.emptyMass);
    SetSize(figures.size);
    SetPMI(figures.inertia);
    SetCW(0.3, 0.3, 1.0, 1.0);
    tank = CreatePropellantResource(figures.maxPropellantMass);
    THRUSTER_HANDLE thrusters[kMaxMainThrusters];
    int count = figures.mainThrusterCount;
    if (count < 1) count = 1;
    if (count > kMaxMainThrusters) count = kMaxMainThrusters;
    for (int i = 0; i < count; ++i) {
        double angle = 2.0 * PI * i / count;
        VECTOR3 position = _V(figures.nozzleRingRadius * std::cos(angle),
                              figures.nozzleRingRadius * std::sin(angle), figures.nozzleZ);
        thrusters[i] = CreateThruster(position, _V(0, 0, 1), figures.thrustPerThruster, tank, figures.isp);
    }
    mainGroup = CreateThrusterGroup(thrusters, count, THGROUP_MAIN);
    SetThrusterGroupLevel(mainGroup, 0.0);
}

void HostVessel::clbkLoadStateEx(FILEHANDLE scn, void *status) {
    char *line;
    while (oapiReadScenario_nextline(scn, line)) {
        if (StartsWithKey(line, "MODE")) {
            std::sscanf(line + 4, "%d", &mode);
        } else if (StartsWithKey(line, "HOLD")) {
            int hold;
            if (std::sscanf(line + 4, "%d", &hold) == 1) attitudeHold = hold != 0;
        } else if (StartsWithKey(line, "BURN")) {
            double remaining, target, used;
            if (std::sscanf(line + 4, "%lf %lf %lf", &remaining, &target, &used) == 3 &&
                std::isfinite(remaining) && remaining > 0 && std::isfinite(target) && std::isfinite(used)) {
                burnRemaining = remaining;
                burnTarget = target;
                burnUsed = used;
            }
        } else if (StartsWithKey(line, "COMMAND")) {
            HostCommand c;
            int n =
                std::sscanf(line + 7, "%d %d %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf", &c.line, &c.code,
                            &c.time, &c.a.x, &c.a.y, &c.a.z, &c.b.x, &c.b.y, &c.b.z, &c.c.x, &c.c.y, &c.c.z);
            if (n == 12 && std::isfinite(c.time)) queue.Add(c);
        } else {
            ParseScenarioLineEx(line, status);
        }
    }
}

void HostVessel::clbkSaveState(FILEHANDLE scn) {
    VESSEL2::clbkSaveState(scn);
    char modeKey[] = "MODE", holdKey[] = "HOLD", burnKey[] = "BURN", commandKey[] = "COMMAND";
    oapiWriteScenario_int(scn, modeKey, mode);
    if (attitudeHold) oapiWriteScenario_int(scn, holdKey, 1);
    char text[512];
    if (burnRemaining > 0) {
        std::snprintf(text, sizeof text, "%.17g %.17g %.17g", burnRemaining, burnTarget, burnUsed);
        oapiWriteScenario_string(scn, burnKey, text);
    }
    for (int i = 0; i < queue.Count(); ++i) {
        const HostCommand &c = queue.At(i);
        std::snprintf(text, sizeof text, "%d %d %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g",
                      c.line, c.code, c.time, c.a.x, c.a.y, c.a.z, c.b.x, c.b.y, c.b.z, c.c.x, c.c.y, c.c.z);
        oapiWriteScenario_string(scn, commandKey, text);
    }
}

// ---------------------------------------------------------------------------
// Steps

void HostVessel::clbkPreStep(double simt, double simdt, double mjd) {
    const double now = oapiGetSimMJD();
    HostCommand command;
    while (queue.TakeDue(now, command)) Execute(command, now);
    if (statusRead && figures.takesOverConsole) TakeOverConsole(now);
    statusRead = false;
    FollowMode();
    PlanBurnStep(simdt);
}

void HostVessel::clbkPostStep(double simt, double simdt, double mjd) { MeasureBurnStep(mjd); }

// ---------------------------------------------------------------------------
// Commands

double HostVessel::ExecuteCommand(int line, int code, double time, VECTOR3 a, VECTOR3 b, VECTOR3 c) {
    const double now = oapiGetSimMJD();
    Log(now, "received line %d code %d for MJD %.6f a (%g %g %g) b (%g %g %g) c (%g %g %g)", line, code, time,
        a.x, a.y, a.z, b.x, b.y, b.z, c.x, c.y, c.z);
    if (!std::isfinite(time)) {
        Log(now, "refused line %d code %d: the time is not a number", line, code);
        return -1.0;
    }
    HostCommand command = {line, code, time, a, b, c};
    if (time <= now) {
        Execute(command, now);
        return 0.0;
    }
    if (!queue.Add(command)) {
        Log(now, "refused line %d code %d: %d commands already wait", line, code, queue.Count());
        return -1.0;
    }
    Log(now, "queued line %d code %d for MJD %.6f, %d waiting", line, code, time, queue.Count());
    return 0.0;
}

void HostVessel::Execute(const HostCommand &command, double mjd) {
    MATRIX3 rotation;
    GetRotationMatrix(rotation);
    switch (command.code) {
        case kCommandPointZ: {
            if (!IsDirection(command.a)) {
                Log(mjd, "refused line %d code %d: no direction in a", command.line, command.code);
                return;
            }
            VECTOR3 z = unit(command.a), x;
            // The smallest turn: keep +x as near to where it was as possible.
            if (!PerpendicularUnit(Column(rotation, 0), z, x)) PerpendicularUnit(Column(rotation, 1), z, x);
            SetAxes(z, x);
            attitudeHold = true;
            Log(mjd, "executed line %d code %d: +z along (%.6f %.6f %.6f)", command.line, command.code, z.x,
                z.y, z.z);
            return;
        }
        case kCommandAxes: {
            VECTOR3 x;
            if (!IsDirection(command.a) || !IsDirection(command.b) ||
                !PerpendicularUnit(command.b, unit(command.a), x)) {
                Log(mjd, "refused line %d code %d: a and b must be two directions that are not parallel",
                    command.line, command.code);
                return;
            }
            VECTOR3 z = unit(command.a);
            SetAxes(z, x);
            attitudeHold = true;
            Log(mjd, "executed line %d code %d: +z along (%.6f %.6f %.6f), +x along (%.6f %.6f %.6f)",
                command.line, command.code, z.x, z.y, z.z, x.x, x.y, x.z);
            return;
        }
        case kCommandBurn:
            StartBurn(command, mjd);
            return;
        case kCommandSetMode:
            if (!std::isfinite(command.a.x) || std::fabs(command.a.x) > 1e9) {
                Log(mjd, "refused line %d code %d: no mode number in a", command.line, command.code);
                return;
            }
            mode = static_cast<int>(std::trunc(command.a.x));
            attitudeHold = false;
            Log(mjd, "executed line %d code %d: mode %d", command.line, command.code, mode);
            return;
        default:
            Log(mjd, "line %d code %d is no host command: logged only", command.line, command.code);
            return;
    }
}

// ---------------------------------------------------------------------------
// Main engine

void HostVessel::StartBurn(const HostCommand &command, double mjd) {
    const double dv = command.a.y;
    if (!std::isfinite(dv) || dv <= 0) {
        Log(mjd, "refused line %d code %d: the velocity change a.y must be positive", command.line,
            command.code);
        return;
    }
    if (burnRemaining > 0)
        Log(mjd, "burn of %.3f m/s cut short, %.6f m/s not given", burnTarget, burnRemaining);
    burnRemaining = dv;
    burnTarget = dv;
    burnUsed = 0.0;
    MATRIX3 rotation;
    GetRotationMatrix(rotation);
    VECTOR3 z = Column(rotation, 2);
    Log(mjd, "executed line %d code %d: burn of %.3f m/s along +z (%.6f %.6f %.6f)", command.line,
        command.code, dv, z.x, z.y, z.z);
}

// Sets the engine level for the coming step: full, or for the last step the
// level whose propellant gives exactly the velocity change still missing.
// The simulator applies the thrust of every engine of the attached stack to
// the stack's whole mass, so the rocket equation is taken with that mass.
void HostVessel::PlanBurnStep(double simdt) {
    stepLevel = 0.0;
    if (burnRemaining <= 0 || simdt <= 0 || !mainGroup) {
        if (mainGroup) SetThrusterGroupLevel(mainGroup, 0.0);
        return;
    }
    stepTankMass = GetPropellantMass(tank);
    if (stepTankMass <= kEmptyTank) {
        Log(oapiGetSimMJD(), "burn stopped: propellant exhausted, %.6f of %.3f m/s not given", burnRemaining,
            burnTarget);
        EndBurn();
        return;
    }
    const double fullFlow = figures.thrustPerThruster * GetGroupThrusterCount(mainGroup) / figures.isp;
    const double fullStepUse = fullFlow * simdt;
    const double needed = StackMass() * (1.0 - std::exp(-burnRemaining / figures.isp));
    double level = 1.0;
    if (needed < fullStepUse) {
        // The last steps. Other vessels of the stack may still change their
        // mass before the step is taken (the console copies the host's masses
        // in its own step), so aim a little short and finish with smaller
        // steps: the burn never gives more than commanded.
        level = needed / fullStepUse;
        if (burnRemaining > kBurnAimExact) level *= kBurnAimShort;
    }
    // Never ask for more than the tank holds.
    if (level * fullStepUse > stepTankMass) level = stepTankMass / fullStepUse;
    stepLevel = level;
    SetThrusterGroupLevel(mainGroup, level);
}

// Counts what the step gave, from the propellant it used and the stack's mass.
void HostVessel::MeasureBurnStep(double mjd) {
    if (stepLevel <= 0) return;
    stepLevel = 0.0;
    const double used = stepTankMass - GetPropellantMass(tank);
    const double after = StackMass();
    if (used > 0 && after > 0) {
        burnRemaining -= figures.isp * std::log((after + used) / after);
        burnUsed += used;
    }
    if (burnRemaining <= kBurnTolerance) {
        Log(mjd, "burn complete: %.6f m/s, %.3f kg of propellant used", burnTarget - burnRemaining, burnUsed);
        EndBurn();
    }
}

void HostVessel::EndBurn() {
    burnRemaining = 0.0;
    stepLevel = 0.0;
    if (mainGroup) SetThrusterGroupLevel(mainGroup, 0.0);
}

double HostVessel::StackMass() const {
    // Up to the top of the stack, then the masses of everything below it.
    const VESSEL *top = this;
    for (int depth = 0; depth < kMaxStackDepth; ++depth) {
        OBJHANDLE parent = nullptr;
        for (DWORD i = 0; i < top->AttachmentCount(true) && !parent; ++i)
            parent = top->GetAttachmentStatus(top->GetAttachmentHandle(true, i));
        const VESSEL *above = parent ? oapiGetVesselInterface(parent) : nullptr;
        if (!above) break;
        top = above;
    }
    const VESSEL *pending[64];
    int count = 0;
    double mass = 0.0;
    pending[count++] = top;
    for (int visited = 0; visited < count; ++visited) {
        const VESSEL *v = pending[visited];
        mass += v->GetMass();
        for (DWORD i = 0; i < v->AttachmentCount(false) && count < 64; ++i) {
            OBJHANDLE child = v->GetAttachmentStatus(v->GetAttachmentHandle(false, i));
            if (const VESSEL *c = child ? oapiGetVesselInterface(child) : nullptr) pending[count++] = c;
        }
    }
    return mass;
}

// ---------------------------------------------------------------------------
// Attitude

void HostVessel::SetAxes(const VECTOR3 &z, const VECTOR3 &x) {
    VECTOR3 y = crossp(z, x);
    SetRotationMatrix(_M(x.x, y.x, z.x, x.y, y.y, z.y, x.z, y.z, z.z));
}

// Modes 0, 7 and 8 keep +y toward Earth, mode 5 keeps +z toward the relay;
// each with the smallest turn from the present attitude. A commanded turn
// stands until the next mode command; other modes hold the last attitude.
void HostVessel::FollowMode() {
    if (attitudeHold) return;
    MATRIX3 rotation;
    GetRotationMatrix(rotation);
    VECTOR3 position;
    GetGlobalPos(position);
    if (mode == 0 || mode == 7 || mode == 8) {
        char earthName[sizeof kEarthName];
        std::memcpy(earthName, kEarthName, sizeof kEarthName);
        OBJHANDLE earth = oapiGetGbodyByName(earthName);
        if (!earth) return;
        VECTOR3 earthPosition;
        oapiGetGlobalPos(earth, &earthPosition);
        if (!IsDirection(earthPosition - position)) return;
        VECTOR3 y = unit(earthPosition - position), z;
        if (!PerpendicularUnit(Column(rotation, 2), y, z)) PerpendicularUnit(Column(rotation, 0), y, z);
        SetAxes(z, crossp(y, z));
    } else if (mode == 5) {
        char relayName[sizeof kRelayName];
        std::memcpy(relayName, kRelayName, sizeof kRelayName);
        OBJHANDLE relay = oapiGetVesselByName(relayName);
        if (!relay) {
            if (!relayMissingLogged) Log(oapiGetSimMJD(), "mode 5: no vessel \"%s\" to point at", kRelayName);
            relayMissingLogged = true;
            return;
        }
        relayMissingLogged = false;
        VECTOR3 relayPosition;
        oapiGetGlobalPos(relay, &relayPosition);
        if (!IsDirection(relayPosition - position)) return;
        VECTOR3 z = unit(relayPosition - position), x;
        if (!PerpendicularUnit(Column(rotation, 0), z, x)) PerpendicularUnit(Column(rotation, 1), z, x);
        SetAxes(z, x);
    }
}

// ---------------------------------------------------------------------------
// Status and log

void HostVessel::TakeOverConsole(double mjd) {
    ATTACHMENTHANDLE ownPoint = GetAttachmentHandle(false, 0);
    if (!ownPoint) return;
    for (DWORD i = 0; i < oapiGetVesselCount(); ++i) {
        VESSEL *console = oapiGetVesselInterface(oapiGetVesselByIndex(static_cast<int>(i)));
        if (!console || std::strcmp(console->GetClassName(), "OkulVessel") != 0) continue;
        ATTACHMENTHANDLE consolePoint = console->GetAttachmentHandle(true, 0);
        OBJHANDLE carrier = consolePoint ? console->GetAttachmentStatus(consolePoint) : nullptr;
        if (!carrier || carrier == GetHandle()) continue;  // free (in its detach cycle) or here already
        if (GetAttachmentStatus(ownPoint)) return;         // point 0 holds something else
        VESSEL *previous = oapiGetVesselInterface(carrier);
        for (DWORD k = 0; k < previous->AttachmentCount(false); ++k) {
            ATTACHMENTHANDLE point = previous->GetAttachmentHandle(false, k);
            if (previous->GetAttachmentStatus(point) == console->GetHandle())
                previous->DetachChild(point, 0.0);
        }
        AttachChild(console->GetHandle(), ownPoint, consolePoint);
        Log(mjd, "took over the console %s from %s", console->GetName(), previous->GetName());
    }
}

int HostVessel::GetStatusText(int capacity, char *buffer) {
    statusRead = true;
    if (!buffer || capacity <= 0) return 0;
    VECTOR3 velocity = _V(0, 0, 0);
    OBJHANDLE reference = GetGravityRef();
    if (reference) GetRelativeVel(reference, velocity);
    const char *attitude = "ФИКС";
    if (!attitudeHold && (mode == 0 || mode == 7 || mode == 8)) attitude = "ЗЕМЛЯ";
    if (!attitudeHold && mode == 5) attitude = "К12";
    char engine[32];
    if (burnRemaining > 0)
        std::snprintf(engine, sizeof engine, "ВКЛ %.2f", burnRemaining);
    else
        std::snprintf(engine, sizeof engine, "ВЫКЛ");
    int n = std::snprintf(buffer, static_cast<size_t>(capacity), "%s+ВКС;%d;%.1f;%.1f+ОР;%s+ДУ;%s+КОМ;%d",
                          GetName(), mode, GetPropellantMass(tank), length(velocity), attitude, engine,
                          queue.Count());
    if (n < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return n < capacity ? n : capacity - 1;
}

void HostVessel::Log(double mjd, const char *format, ...) {
    if (!logFile) {
        // "<vessel name>.log" in the working folder, started afresh each session.
        char name[128];
        std::snprintf(name, sizeof name, "%s.log", GetName());
        for (char *p = name; *p; ++p)
            if (*p == '/' || *p == '\\') *p = '_';
        logFile = std::fopen(name, "w");
        if (!logFile) return;
    }
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::fprintf(logFile, "MJD %.8f %s\n", mjd, text);
    std::fflush(logFile);
}
