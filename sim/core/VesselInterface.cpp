// VESSEL and VESSEL2: the interface a module's vessel object inherits. Each
// operation acts on the simulator's Vessel the interface was created for.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/Rotation.h"
#include "core/Simulation.h"
#include "core/StandardLines.h"

using sim::Simulation;

VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel)
    : vessel(static_cast<Vessel *>(static_cast<sim::SimObject *>(hVessel))),
      flightmodel(fmodel),
      version(0) {}

VESSEL2::VESSEL2(OBJHANDLE hVessel, int fmodel) : VESSEL(hVessel, fmodel) { version = 1; }

// ---- identity -------------------------------------------------------------
const OBJHANDLE VESSEL::GetHandle() const { return static_cast<sim::SimObject *>(vessel); }
char *VESSEL::GetName() const { return vessel->nameBuffer(); }
char *VESSEL::GetClassName() const { return vessel->classBuffer(); }
int VESSEL::GetFlightModel() const { return flightmodel; }
bool VESSEL::GetEnableFocus() const { return true; }

// ---- physical parameters ---------------------------------------------------
double VESSEL::GetSize() const { return vessel->size; }
void VESSEL::SetSize(double size) const { vessel->size = size; }
double VESSEL::GetEmptyMass() const { return vessel->emptyMass; }
void VESSEL::SetEmptyMass(double m) const { vessel->emptyMass = m; }
double VESSEL::GetMass() const { return vessel->mass(); }
void VESSEL::GetPMI(VECTOR3 &pmi) const { pmi = vessel->pmi; }
void VESSEL::SetPMI(const VECTOR3 &pmi) const { vessel->pmi = pmi; }
void VESSEL::SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const {
    vessel->cw[0] = cw_z_pos;
    vessel->cw[1] = cw_z_neg;
    vessel->cw[2] = cw_x;
    vessel->cw[3] = cw_y;
}
void VESSEL::SetCrossSections(const VECTOR3 &cs) const { vessel->crossSections = cs; }
void VESSEL::SetTouchdownPoints(const VECTOR3 &pt1, const VECTOR3 &pt2, const VECTOR3 &pt3) const {
    vessel->touchdown[0] = pt1;
    vessel->touchdown[1] = pt2;
    vessel->touchdown[2] = pt3;
}
void VESSEL::SetSurfaceFrictionCoeff(double mu_lng, double mu_lat) const {
    vessel->frictionLongitudinal = mu_lng;
    vessel->frictionLateral = mu_lat;
}
void VESSEL::SetCameraOffset(const VECTOR3 &co) const { vessel->cameraOffset = co; }
void VESSEL::GetCameraOffset(VECTOR3 &co) const { co = vessel->cameraOffset; }

// ---- state -----------------------------------------------------------------
void VESSEL::GetStatus(VESSELSTATUS &status) const {
    std::memset(&status, 0, sizeof status);
    sim::Body *ref = vessel->gravityRef;
    if (!ref && Simulation::current()) ref = Simulation::current()->gravityReferenceFor(vessel->position);
    status.rbody = static_cast<sim::SimObject *>(ref);
    if (ref) {
        status.rpos = vessel->position - ref->position();
        status.rvel = vessel->velocity - ref->velocity();
    }
    status.arot = sim::eulerAnglesOf(vessel->rotation);
    status.status = vessel->landed ? 1 : 0;
    if (vessel->landed)
        status.vdata[0] = _V(vessel->landedLongitude, vessel->landedLatitude, vessel->landedHeading);
    if (vessel->defaultPropellant && vessel->defaultPropellant->maxMass > 0)
        status.fuel = vessel->defaultPropellant->mass / vessel->defaultPropellant->maxMass;
    if (ThrusterGroup *main = vessel->groupOfType(THGROUP_MAIN))
        if (!main->thrusters.empty()) status.eng_main = main->thrusters[0]->level;
}

void VESSEL::DefSetState(const VESSELSTATUS *status) const {
    Simulation *simulation = Simulation::current();
    if (!status || !simulation) return;
    sim::Body *ref = simulation->isBody(status->rbody)
                         ? static_cast<sim::Body *>(static_cast<sim::SimObject *>(status->rbody))
                         : nullptr;
    if (!ref) ref = vessel->gravityRef;
    if (!ref) return;
    vessel->gravityRef = ref;
    vessel->rotation = sim::rotationFromEulerAngles(status->arot);
    if (status->status == 1) {
        vessel->landed = true;
        vessel->landedLongitude = status->vdata[0].x;
        vessel->landedLatitude = status->vdata[0].y;
        vessel->landedHeading = status->vdata[0].z;
        ref->surfaceToGlobal(simulation->mjd(), vessel->landedLongitude, vessel->landedLatitude,
                             ref->radius(), vessel->position, vessel->velocity);
    } else {
        vessel->landed = false;
        vessel->position = ref->position() + status->rpos;
        vessel->velocity = ref->velocity() + status->rvel;
    }
    simulation->placeAttachedChildren(vessel);
}

void VESSEL::GetGlobalPos(VECTOR3 &pos) const { pos = vessel->position; }
void VESSEL::GetGlobalVel(VECTOR3 &vel) const { vel = vessel->velocity; }
void VESSEL::GetRelativePos(OBJHANDLE hRef, VECTOR3 &pos) const {
    oapiGetRelativePos(GetHandle(), hRef, &pos);
}
void VESSEL::GetRelativeVel(OBJHANDLE hRef, VECTOR3 &vel) const {
    oapiGetRelativeVel(GetHandle(), hRef, &vel);
}
void VESSEL::GetRotationMatrix(MATRIX3 &R) const { R = vessel->rotation; }
void VESSEL::SetRotationMatrix(const MATRIX3 &R) const {
    vessel->rotation = R;
    if (Simulation::current()) Simulation::current()->placeAttachedChildren(vessel);
}
void VESSEL::GetGlobalOrientation(VECTOR3 &arot) const { arot = sim::eulerAnglesOf(vessel->rotation); }
void VESSEL::SetGlobalOrientation(const VECTOR3 &arot) const {
    SetRotationMatrix(sim::rotationFromEulerAngles(arot));
}
void VESSEL::Local2Global(const VECTOR3 &local, VECTOR3 &global) const {
    global = vessel->localToGlobal(local);
}
void VESSEL::Global2Local(const VECTOR3 &global, VECTOR3 &local) const {
    local = vessel->globalToLocal(global);
}
void VESSEL::GlobalRot(const VECTOR3 &rloc, VECTOR3 &rglob) const { rglob = mul(vessel->rotation, rloc); }
const OBJHANDLE VESSEL::GetGravityRef() const { return static_cast<sim::SimObject *>(vessel->gravityRef); }
const OBJHANDLE VESSEL::GetSurfaceRef() const { return GetGravityRef(); }
DWORD VESSEL::GetFlightStatus() const { return vessel->landed ? 1 : 0; }

// ---- propellant --------------------------------------------------------------
static PropellantResource *asPropellant(Vessel *v, PROPELLANT_HANDLE ph) {
    auto *p = static_cast<PropellantResource *>(ph);
    return v->ownsPropellant(p) ? p : nullptr;
}

PROPELLANT_HANDLE VESSEL::CreatePropellantResource(double maxmass, double mass, double efficiency) const {
    auto p = std::make_unique<PropellantResource>();
    p->maxMass = maxmass;
    p->mass = mass < 0 ? maxmass : std::min(mass, maxmass);
    p->efficiency = efficiency;
    PropellantResource *result = p.get();
    vessel->propellants.push_back(std::move(p));
    if (!vessel->defaultPropellant) vessel->defaultPropellant = result;
    return result;
}
void VESSEL::DelPropellantResource(PROPELLANT_HANDLE &ph) const {
    PropellantResource *p = asPropellant(vessel, ph);
    if (!p) return;
    for (auto &t : vessel->thrusters)
        if (t->resource == p) t->resource = nullptr;
    if (vessel->defaultPropellant == p) vessel->defaultPropellant = nullptr;
    auto &list = vessel->propellants;
    list.erase(std::remove_if(list.begin(), list.end(), [p](const auto &q) { return q.get() == p; }),
               list.end());
    ph = nullptr;
}
void VESSEL::ClearPropellantResources() const {
    for (auto &t : vessel->thrusters) t->resource = nullptr;
    vessel->propellants.clear();
    vessel->defaultPropellant = nullptr;
}
PROPELLANT_HANDLE VESSEL::GetPropellantHandleByIndex(DWORD idx) const {
    return idx < vessel->propellants.size() ? vessel->propellants[idx].get() : nullptr;
}
DWORD VESSEL::GetPropellantCount() const { return static_cast<DWORD>(vessel->propellants.size()); }
void VESSEL::SetDefaultPropellantResource(PROPELLANT_HANDLE ph) const {
    if (PropellantResource *p = asPropellant(vessel, ph)) vessel->defaultPropellant = p;
}
void VESSEL::SetPropellantMaxMass(PROPELLANT_HANDLE ph, double maxmass) const {
    if (PropellantResource *p = asPropellant(vessel, ph)) {
        p->maxMass = std::max(0.0, maxmass);
        p->mass = std::min(p->mass, p->maxMass);
    }
}
void VESSEL::SetPropellantMass(PROPELLANT_HANDLE ph, double mass) const {
    if (PropellantResource *p = asPropellant(vessel, ph)) p->mass = std::max(0.0, std::min(mass, p->maxMass));
}
double VESSEL::GetPropellantMaxMass(PROPELLANT_HANDLE ph) const {
    PropellantResource *p = asPropellant(vessel, ph);
    return p ? p->maxMass : 0.0;
}
double VESSEL::GetPropellantMass(PROPELLANT_HANDLE ph) const {
    PropellantResource *p = asPropellant(vessel, ph);
    return p ? p->mass : 0.0;
}
double VESSEL::GetPropellantFlowrate(PROPELLANT_HANDLE ph) const {
    PropellantResource *p = asPropellant(vessel, ph);
    return p ? p->flowRate : 0.0;
}
double VESSEL::GetTotalPropellantMass() const {
    double m = 0;
    for (auto &p : vessel->propellants) m += p->mass;
    return m;
}
double VESSEL::GetFuelMass() const {
    return vessel->defaultPropellant ? vessel->defaultPropellant->mass : 0.0;
}
double VESSEL::GetMaxFuelMass() const {
    return vessel->defaultPropellant ? vessel->defaultPropellant->maxMass : 0.0;
}

// ---- thrusters ----------------------------------------------------------------
static Thruster *asThruster(Vessel *v, THRUSTER_HANDLE th) {
    auto *t = static_cast<Thruster *>(th);
    return v->ownsThruster(t) ? t : nullptr;
}

THRUSTER_HANDLE VESSEL::CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxth0,
                                       PROPELLANT_HANDLE hp, double isp0, double isp_ref,
                                       double p_ref) const {
    auto t = std::make_unique<Thruster>();
    t->position = pos;
    t->direction = length(dir) > 0 ? unit(dir) : _V(0, 0, 1);
    t->maxThrust0 = maxth0;
    t->resource = asPropellant(vessel, hp);
    t->isp0 = isp0;
    t->ispRef = isp_ref;
    t->pressureRef = p_ref;
    Thruster *result = t.get();
    vessel->thrusters.push_back(std::move(t));
    return result;
}
bool VESSEL::DelThruster(THRUSTER_HANDLE &th) const {
    Thruster *t = asThruster(vessel, th);
    if (!t) return false;
    vessel->deleteThruster(t);
    th = nullptr;
    return true;
}
void VESSEL::ClearThrusterDefinitions() const {
    vessel->groups.clear();
    vessel->thrusters.clear();
}
DWORD VESSEL::GetThrusterCount() const { return static_cast<DWORD>(vessel->thrusters.size()); }
THRUSTER_HANDLE VESSEL::GetThrusterHandleByIndex(DWORD idx) const {
    return idx < vessel->thrusters.size() ? vessel->thrusters[idx].get() : nullptr;
}
PROPELLANT_HANDLE VESSEL::GetThrusterResource(THRUSTER_HANDLE th) const {
    Thruster *t = asThruster(vessel, th);
    return t ? t->resource : nullptr;
}
void VESSEL::SetThrusterResource(THRUSTER_HANDLE th, PROPELLANT_HANDLE ph) const {
    if (Thruster *t = asThruster(vessel, th)) t->resource = asPropellant(vessel, ph);
}
void VESSEL::GetThrusterRef(THRUSTER_HANDLE th, VECTOR3 &pos) const {
    if (Thruster *t = asThruster(vessel, th)) pos = t->position;
}
void VESSEL::GetThrusterDir(THRUSTER_HANDLE th, VECTOR3 &dir) const {
    if (Thruster *t = asThruster(vessel, th)) dir = t->direction;
}
double VESSEL::GetThrusterMax0(THRUSTER_HANDLE th) const {
    Thruster *t = asThruster(vessel, th);
    return t ? t->maxThrust0 : 0.0;
}
void VESSEL::SetThrusterMax0(THRUSTER_HANDLE th, double maxth0) const {
    if (Thruster *t = asThruster(vessel, th)) t->maxThrust0 = maxth0;
}
double VESSEL::GetThrusterIsp0(THRUSTER_HANDLE th) const {
    Thruster *t = asThruster(vessel, th);
    return t ? t->isp0 : 0.0;
}
double VESSEL::GetThrusterIsp(THRUSTER_HANDLE th) const { return GetThrusterIsp0(th); }
void VESSEL::SetThrusterIsp(THRUSTER_HANDLE th, double isp) const { SetThrusterIsp(th, isp, 0.0); }
void VESSEL::SetThrusterIsp(THRUSTER_HANDLE th, double isp_vac, double isp_ref, double p_ref) const {
    if (Thruster *t = asThruster(vessel, th)) {
        t->isp0 = isp_vac;
        t->ispRef = isp_ref;
        t->pressureRef = p_ref;
    }
}
double VESSEL::GetThrusterLevel(THRUSTER_HANDLE th) const {
    Thruster *t = asThruster(vessel, th);
    return t ? t->level : 0.0;
}
void VESSEL::SetThrusterLevel(THRUSTER_HANDLE th, double level) const {
    if (Thruster *t = asThruster(vessel, th)) t->level = std::max(0.0, std::min(1.0, level));
}
void VESSEL::IncThrusterLevel(THRUSTER_HANDLE th, double dlevel) const {
    SetThrusterLevel(th, GetThrusterLevel(th) + dlevel);
}

// ---- thruster groups ------------------------------------------------------------
static ThrusterGroup *asGroup(Vessel *v, THGROUP_HANDLE thg) {
    auto *g = static_cast<ThrusterGroup *>(thg);
    return v->ownsGroup(g) ? g : nullptr;
}

THGROUP_HANDLE VESSEL::CreateThrusterGroup(THRUSTER_HANDLE *th, int nth, THGROUP_TYPE thgt) const {
    // A logical group type is held by one group only: the new one replaces it.
    if (ThrusterGroup *old = vessel->groupOfType(thgt)) {
        THGROUP_HANDLE h = old;
        DelThrusterGroup(h, thgt, false);
    }
    auto g = std::make_unique<ThrusterGroup>();
    g->type = thgt;
    for (int i = 0; i < nth; ++i)
        if (Thruster *t = asThruster(vessel, th[i])) g->thrusters.push_back(t);
    ThrusterGroup *result = g.get();
    vessel->groups.push_back(std::move(g));
    return result;
}
bool VESSEL::DelThrusterGroup(THGROUP_HANDLE &thg, THGROUP_TYPE thgt, bool delth) const {
    ThrusterGroup *g = asGroup(vessel, thg);
    if (!g) return false;
    std::vector<Thruster *> members = g->thrusters;
    auto &list = vessel->groups;
    list.erase(std::remove_if(list.begin(), list.end(), [g](const auto &q) { return q.get() == g; }),
               list.end());
    if (delth)
        for (Thruster *t : members) vessel->deleteThruster(t);
    thg = nullptr;
    return true;
}
bool VESSEL::DelThrusterGroup(THGROUP_TYPE thgt, bool delth) const {
    THGROUP_HANDLE h = vessel->groupOfType(thgt);
    return DelThrusterGroup(h, thgt, delth);
}
THGROUP_HANDLE VESSEL::GetThrusterGroupHandle(THGROUP_TYPE thgt) const { return vessel->groupOfType(thgt); }
DWORD VESSEL::GetGroupThrusterCount(THGROUP_HANDLE thg) const {
    ThrusterGroup *g = asGroup(vessel, thg);
    return g ? static_cast<DWORD>(g->thrusters.size()) : 0;
}
DWORD VESSEL::GetGroupThrusterCount(THGROUP_TYPE thgt) const {
    return GetGroupThrusterCount(vessel->groupOfType(thgt));
}
THRUSTER_HANDLE VESSEL::GetGroupThruster(THGROUP_HANDLE thg, DWORD idx) const {
    ThrusterGroup *g = asGroup(vessel, thg);
    return g && idx < g->thrusters.size() ? g->thrusters[idx] : nullptr;
}
THRUSTER_HANDLE VESSEL::GetGroupThruster(THGROUP_TYPE thgt, DWORD idx) const {
    return GetGroupThruster(vessel->groupOfType(thgt), idx);
}
void VESSEL::SetThrusterGroupLevel(THGROUP_HANDLE thg, double level) const {
    if (ThrusterGroup *g = asGroup(vessel, thg))
        for (Thruster *t : g->thrusters) t->level = std::max(0.0, std::min(1.0, level));
}
void VESSEL::SetThrusterGroupLevel(THGROUP_TYPE thgt, double level) const {
    SetThrusterGroupLevel(vessel->groupOfType(thgt), level);
}
double VESSEL::GetThrusterGroupLevel(THGROUP_HANDLE thg) const {
    ThrusterGroup *g = asGroup(vessel, thg);
    if (!g || g->thrusters.empty()) return 0.0;
    double sum = 0;
    for (Thruster *t : g->thrusters) sum += t->level;
    return sum / g->thrusters.size();
}
double VESSEL::GetThrusterGroupLevel(THGROUP_TYPE thgt) const {
    return GetThrusterGroupLevel(vessel->groupOfType(thgt));
}

// ---- attachments -------------------------------------------------------------------
static Attachment *asAttachment(Vessel *v, ATTACHMENTHANDLE h) {
    auto *a = static_cast<Attachment *>(h);
    return v->ownsAttachment(a) ? a : nullptr;
}

ATTACHMENTHANDLE VESSEL::CreateAttachment(bool toparent, const VECTOR3 &pos, const VECTOR3 &dir,
                                          const VECTOR3 &rot, const char *id, bool loose) const {
    auto a = std::make_unique<Attachment>();
    a->owner = vessel;
    a->toParent = toparent;
    a->position = pos;
    a->direction = dir;
    a->rotation = rot;
    a->id = std::string(id ? id : "").substr(0, 8);
    a->loose = loose;
    Attachment *result = a.get();
    vessel->attachments.push_back(std::move(a));
    return result;
}
bool VESSEL::DelAttachment(ATTACHMENTHANDLE attachment) const {
    Attachment *a = asAttachment(vessel, attachment);
    if (!a) return false;
    if (a->mate && Simulation::current()) {
        Attachment *parentSide = a->toParent ? a->mate : a;
        Simulation::current()->detach(parentSide, 0.0);
    }
    auto &list = vessel->attachments;
    list.erase(std::remove_if(list.begin(), list.end(), [a](const auto &q) { return q.get() == a; }),
               list.end());
    return true;
}
void VESSEL::ClearAttachments() const {
    while (!vessel->attachments.empty()) DelAttachment(vessel->attachments.back().get());
}
void VESSEL::SetAttachmentParams(ATTACHMENTHANDLE attachment, const VECTOR3 &pos, const VECTOR3 &dir,
                                 const VECTOR3 &rot) const {
    Attachment *a = asAttachment(vessel, attachment);
    if (!a) return;
    a->position = pos;
    a->direction = dir;
    a->rotation = rot;
    // Takes effect at once: re-place whatever hangs at this point.
    if (a->mate && Simulation::current()) {
        Vessel *parent = a->toParent ? a->mate->owner : vessel;
        Simulation::current()->placeAttachedChildren(parent);
    }
}
void VESSEL::GetAttachmentParams(ATTACHMENTHANDLE attachment, VECTOR3 &pos, VECTOR3 &dir,
                                 VECTOR3 &rot) const {
    if (Attachment *a = asAttachment(vessel, attachment)) {
        pos = a->position;
        dir = a->direction;
        rot = a->rotation;
    }
}
const char *VESSEL::GetAttachmentId(ATTACHMENTHANDLE attachment) const {
    Attachment *a = asAttachment(vessel, attachment);
    return a ? a->id.c_str() : nullptr;
}
OBJHANDLE VESSEL::GetAttachmentStatus(ATTACHMENTHANDLE attachment) const {
    Attachment *a = asAttachment(vessel, attachment);
    return a && a->mate ? static_cast<sim::SimObject *>(a->mate->owner) : nullptr;
}
DWORD VESSEL::AttachmentCount(bool toparent) const { return vessel->attachmentCount(toparent); }
DWORD VESSEL::GetAttachmentIndex(ATTACHMENTHANDLE attachment) const {
    Attachment *a = asAttachment(vessel, attachment);
    if (!a) return (DWORD)-1;
    DWORD i = 0;
    for (const auto &p : vessel->attachments) {
        if (p->toParent != a->toParent) continue;
        if (p.get() == a) return i;
        ++i;
    }
    return (DWORD)-1;
}
ATTACHMENTHANDLE VESSEL::GetAttachmentHandle(bool toparent, DWORD i) const {
    return vessel->attachmentByIndex(toparent, i);
}
bool VESSEL::AttachChild(OBJHANDLE child, ATTACHMENTHANDLE attachment,
                         ATTACHMENTHANDLE child_attachment) const {
    Simulation *simulation = Simulation::current();
    if (!simulation || !simulation->isVessel(child)) return false;
    Vessel *childVessel = static_cast<Vessel *>(static_cast<sim::SimObject *>(child));
    Attachment *parentPoint = asAttachment(vessel, attachment);
    Attachment *childPoint = asAttachment(childVessel, child_attachment);
    if (!parentPoint || !childPoint) return false;
    return simulation->attach(vessel, parentPoint, childVessel, childPoint);
}
bool VESSEL::DetachChild(ATTACHMENTHANDLE attachment, double vel) const {
    Attachment *a = asAttachment(vessel, attachment);
    if (!a || a->toParent || !a->mate || !Simulation::current()) return false;
    return Simulation::current()->detach(a, vel);
}

// ---- scenario --------------------------------------------------------------------
// The old form has no status to collect into: the line is accepted and
// changes nothing.
void VESSEL::ParseScenarioLine(char *line, VESSELSTATUS *status) const {}
void VESSEL::ParseScenarioLineEx(char *line, void *status) const {
    if (status) sim::parseStandardLine(line, *static_cast<sim::ScenarioStatus *>(status));
}

// ---- VESSEL2 default callbacks ---------------------------------------------------------
void VESSEL2::clbkSetClassCaps(FILEHANDLE cfg) {}
void VESSEL2::clbkSaveState(FILEHANDLE scn) {
    if (Simulation::current()) Simulation::current()->writeStandardLines(vessel, scn);
}
// The simulator's default reads nothing: a module hands the lines it does not
// handle itself to ParseScenarioLineEx.
void VESSEL2::clbkLoadStateEx(FILEHANDLE scn, void *status) {}
void VESSEL2::clbkSetStateEx(const void *status) {}
void VESSEL2::clbkPostCreation() {}
void VESSEL2::clbkFocusChanged(bool getfocus, OBJHANDLE hNewVessel, OBJHANDLE hOldVessel) {}
void VESSEL2::clbkPreStep(double simt, double simdt, double mjd) {}
void VESSEL2::clbkPostStep(double simt, double simdt, double mjd) {}
bool VESSEL2::clbkPlaybackEvent(double simt, double event_t, const char *event_type, const char *event) {
    return false;
}
void VESSEL2::clbkVisualCreated(VISHANDLE vis, int refcount) {}
void VESSEL2::clbkVisualDestroyed(VISHANDLE vis, int refcount) {}
void VESSEL2::clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, HDC hDC) {}
void VESSEL2::clbkRCSMode(int mode) {}
void VESSEL2::clbkADCtrlMode(DWORD mode) {}
void VESSEL2::clbkHUDMode(int mode) {}
void VESSEL2::clbkMFDMode(int mfd, int mode) {}
void VESSEL2::clbkNavMode(int mode, bool active) {}
void VESSEL2::clbkDockEvent(int dock, OBJHANDLE mate) {}
void VESSEL2::clbkAnimate(double simt) {}
int VESSEL2::clbkConsumeDirectKey(char *kstate) { return 0; }
int VESSEL2::clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) { return 0; }
bool VESSEL2::clbkLoadGenericCockpit() { return false; }
bool VESSEL2::clbkLoadPanel(int id) { return false; }
bool VESSEL2::clbkPanelMouseEvent(int id, int event, int mx, int my) { return false; }
bool VESSEL2::clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf) { return false; }
bool VESSEL2::clbkLoadVC(int id) { return false; }
bool VESSEL2::clbkVCMouseEvent(int id, int event, VECTOR3 &p) { return false; }
bool VESSEL2::clbkVCRedrawEvent(int id, int event, SURFHANDLE surf) { return false; }
