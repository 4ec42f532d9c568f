// The oapi functions on objects, time, planets, camera, the debug line,
// scenario and configuration files. Panel, MFD, input-box and surface
// functions live with the cockpit and the drawing layer.
#include <cstdio>
#include <cstring>
#include <string>

#include <OrbiterAPI.h>
#include <CelBodyAPI.h>

#include "core/ConfigFile.h"
#include "core/ScenarioFile.h"
#include "core/Simulation.h"

using sim::Body;
using sim::SimObject;
using sim::Simulation;

namespace {
Simulation *simulation() { return Simulation::current(); }

SimObject *object(OBJHANDLE h) { return static_cast<SimObject *>(h); }

Body *asBody(OBJHANDLE h) {
    Simulation *s = simulation();
    return s && s->isBody(h) ? static_cast<Body *>(object(h)) : nullptr;
}

Vessel *asVessel(OBJHANDLE h) {
    Simulation *s = simulation();
    return s && s->isVessel(h) ? static_cast<Vessel *>(object(h)) : nullptr;
}

bool globalState(OBJHANDLE h, VECTOR3 &pos, VECTOR3 &vel) {
    if (Vessel *v = asVessel(h)) {
        pos = v->position;
        vel = v->velocity;
        return true;
    }
    if (Body *b = asBody(h)) {
        pos = b->position();
        vel = b->velocity();
        return true;
    }
    return false;
}

// The simulator's debug line when no simulation runs.
char g_spareDebugString[256];
}  // namespace

// ---- objects ------------------------------------------------------------------
OBJHANDLE oapiGetVesselByName(char *name) {
    Simulation *s = simulation();
    Vessel *v = s && name ? s->vesselByName(name) : nullptr;
    return v ? static_cast<SimObject *>(v) : nullptr;
}

OBJHANDLE oapiGetGbodyByName(char *name) {
    Simulation *s = simulation();
    Body *b = s && name ? s->bodyByName(name) : nullptr;
    return b ? static_cast<SimObject *>(b) : nullptr;
}

OBJHANDLE oapiGetObjectByName(char *name) {
    OBJHANDLE h = oapiGetVesselByName(name);
    return h ? h : oapiGetGbodyByName(name);
}

OBJHANDLE oapiGetVesselByIndex(int index) {
    Simulation *s = simulation();
    if (!s || index < 0 || index >= static_cast<int>(s->vessels().size())) return nullptr;
    return static_cast<SimObject *>(s->vessels()[index].get());
}

DWORD oapiGetVesselCount() { return simulation() ? static_cast<DWORD>(simulation()->vessels().size()) : 0; }

OBJHANDLE oapiGetGbodyByIndex(int index) {
    Simulation *s = simulation();
    if (!s || index < 0 || index >= static_cast<int>(s->bodies().size())) return nullptr;
    return static_cast<SimObject *>(s->bodies()[index].get());
}

DWORD oapiGetGbodyCount() { return simulation() ? static_cast<DWORD>(simulation()->bodies().size()) : 0; }

VESSEL *oapiGetVesselInterface(OBJHANDLE hVessel) {
    Vessel *v = asVessel(hVessel);
    return v ? v->iface : nullptr;
}

VESSEL *oapiGetFocusInterface() {
    Simulation *s = simulation();
    return s && s->focus() ? s->focus()->iface : nullptr;
}

OBJHANDLE oapiGetFocusObject() {
    Simulation *s = simulation();
    return s && s->focus() ? static_cast<SimObject *>(s->focus()) : nullptr;
}

void oapiGetObjectName(OBJHANDLE hObj, char *name, int n) {
    if (!name || n <= 0) return;
    std::string text;
    if (Vessel *v = asVessel(hObj)) text = v->name();
    if (Body *b = asBody(hObj)) text = b->name();
    std::snprintf(name, static_cast<size_t>(n), "%s", text.c_str());
}

double oapiGetMass(OBJHANDLE hObj) {
    if (Vessel *v = asVessel(hObj)) return v->mass();
    if (Body *b = asBody(hObj)) return b->mass();
    return 0.0;
}

double oapiGetSize(OBJHANDLE hObj) {
    if (Vessel *v = asVessel(hObj)) return v->size;
    if (Body *b = asBody(hObj)) return b->radius();
    return 0.0;
}

void oapiGetGlobalPos(OBJHANDLE hObj, VECTOR3 *pos) {
    VECTOR3 p, v;
    if (pos && globalState(hObj, p, v)) *pos = p;
}

void oapiGetGlobalVel(OBJHANDLE hObj, VECTOR3 *vel) {
    VECTOR3 p, v;
    if (vel && globalState(hObj, p, v)) *vel = v;
}

void oapiGetRelativePos(OBJHANDLE hObj, OBJHANDLE hRef, VECTOR3 *pos) {
    VECTOR3 p1, v1, p2, v2;
    if (pos && globalState(hObj, p1, v1) && globalState(hRef, p2, v2)) *pos = p1 - p2;
}

void oapiGetRelativeVel(OBJHANDLE hObj, OBJHANDLE hRef, VECTOR3 *vel) {
    VECTOR3 p1, v1, p2, v2;
    if (vel && globalState(hObj, p1, v1) && globalState(hRef, p2, v2)) *vel = v1 - v2;
}

// ---- celestial bodies ------------------------------------------------------------
CELBODY *oapiGetCelbodyInterface(OBJHANDLE hBody) {
    Body *b = asBody(hBody);
    return b ? b->celbody() : nullptr;
}

double oapiGetPlanetPeriod(OBJHANDLE hPlanet) {
    Body *b = asBody(hPlanet);
    return b ? b->rotation().siderealPeriod : 0.0;
}

double oapiGetPlanetObliquity(OBJHANDLE hPlanet) {
    Body *b = asBody(hPlanet);
    return b ? b->rotation().obliquity : 0.0;
}

double oapiGetPlanetTheta(OBJHANDLE hPlanet) {
    Body *b = asBody(hPlanet);
    return b ? b->rotation().theta : 0.0;
}

void oapiGetPlanetObliquityMatrix(OBJHANDLE hPlanet, MATRIX3 *mat) {
    Body *b = asBody(hPlanet);
    if (b && mat) *mat = b->rotation().obliquityMatrix();
}

double oapiGetPlanetCurrentRotation(OBJHANDLE hPlanet) {
    Body *b = asBody(hPlanet);
    return b && simulation() ? b->rotation().rotationAt(simulation()->mjd()) : 0.0;
}

// ---- time ---------------------------------------------------------------------------
double oapiGetSimTime() { return simulation() ? simulation()->simTime() : 0.0; }
double oapiGetSimStep() { return simulation() ? simulation()->simStep() : 0.0; }
double oapiGetSimMJD() { return simulation() ? simulation()->mjd() : 0.0; }
// The headless simulator's clock is its frame clock: real time runs at the frame length per frame.
double oapiGetSysTime() { return simulation() ? simulation()->frameCount() * simulation()->frameLength() : 0.0; }
double oapiGetSysMJD() { return oapiGetSimMJD(); }
double oapiGetFrameRate() { return simulation() ? simulation()->frameRate() : 0.0; }
double oapiGetTimeAcceleration() { return simulation() ? simulation()->timeAcceleration() : 1.0; }
void oapiSetTimeAcceleration(double warp) {
    if (simulation()) simulation()->setTimeAcceleration(warp);
}

// ---- camera and HUD --------------------------------------------------------------------
double oapiCameraAperture() { return simulation() ? simulation()->cameraAperture() : 20.0 * RAD; }
void oapiCameraSetAperture(double aperture) {
    // The simulator accepts apertures between 10 and 80 degrees (half the vertical field).
    if (!simulation()) return;
    const double lo = 10.0 * RAD * 0.5, hi = 80.0 * RAD;
    simulation()->setCameraAperture(aperture < lo ? lo : aperture > hi ? hi : aperture);
}
bool oapiSetHUDMode(int mode) {
    if (!simulation() || mode < HUD_NONE || mode > HUD_DOCKING) return false;
    simulation()->setHudMode(mode);
    return true;
}
int oapiGetHUDMode() { return simulation() ? simulation()->hudMode() : HUD_NONE; }

char *oapiDebugString() { return simulation() ? simulation()->debugString() : g_spareDebugString; }

// ---- scenario files ------------------------------------------------------------------------
bool oapiReadScenario_nextline(FILEHANDLE scn, char *&line) {
    return scn && static_cast<sim::ScenarioLineReader *>(scn)->next(line);
}

void oapiWriteLine(FILEHANDLE file, char *line) { Simulation::writeLine(file, line ? line : ""); }

void oapiWriteScenario_string(FILEHANDLE scn, char *item, char *string) {
    Simulation::writeLine(scn, std::string("  ") + item + " " + string);
}

void oapiWriteScenario_int(FILEHANDLE scn, char *item, int i) {
    Simulation::writeLine(scn, std::string("  ") + item + " " + std::to_string(i));
}

void oapiWriteScenario_float(FILEHANDLE scn, char *item, double d) {
    char value[64];
    std::snprintf(value, sizeof value, "%g", d);
    Simulation::writeLine(scn, std::string("  ") + item + " " + value);
}

void oapiWriteScenario_vec(FILEHANDLE scn, char *item, const VECTOR3 &vec) {
    char value[128];
    std::snprintf(value, sizeof value, "%g %g %g", vec.x, vec.y, vec.z);
    Simulation::writeLine(scn, std::string("  ") + item + " " + value);
}

// ---- configuration files ----------------------------------------------------------------------
static bool configValue(FILEHANDLE f, const char *item, std::string &value) {
    return f && item && static_cast<sim::ConfigFile *>(f)->value(item, value);
}

bool oapiReadItem_string(FILEHANDLE f, char *item, char *string) {
    std::string value;
    if (!configValue(f, item, value) || !string) return false;
    std::strcpy(string, value.c_str());  // the interface gives no buffer size
    return true;
}

bool oapiReadItem_float(FILEHANDLE f, char *item, double &d) {
    std::string value;
    return configValue(f, item, value) && std::sscanf(value.c_str(), "%lf", &d) == 1;
}

bool oapiReadItem_int(FILEHANDLE f, char *item, int &i) {
    std::string value;
    return configValue(f, item, value) && std::sscanf(value.c_str(), "%d", &i) == 1;
}

bool oapiReadItem_bool(FILEHANDLE f, char *item, bool &b) {
    std::string value;
    if (!configValue(f, item, value)) return false;
    b = value == "TRUE" || value == "true" || value == "1";
    return true;
}

bool oapiReadItem_vec(FILEHANDLE f, char *item, VECTOR3 &vec) {
    std::string value;
    return configValue(f, item, value) && std::sscanf(value.c_str(), "%lf %lf %lf", &vec.x, &vec.y, &vec.z) == 3;
}
