#include "core/Simulation.h"

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/ConfigFile.h"
#include "core/Rotation.h"
#include "core/ScenarioFile.h"
#include "core/ScenarioParser.h"
#include "core/StandardLines.h"
#include "core/TextLines.h"

namespace sim {

namespace {
Simulation *g_current = nullptr;
const double kSpeedOfLight = 299792458.0;  // m/s
}  // namespace

// A vessel of a class without a module: the interface's defaults only.
class PlainVessel final : public VESSEL2 {
public:
    using VESSEL2::VESSEL2;
};

struct PendingAttachment {
    Vessel *child;
    int childPoint;
    int parentPoint;
    std::string parentName;
    std::string location;  // file:line of the vessel block
};

Simulation::Simulation(const std::string &rootDir, const std::string &workDir)
    : rootDir_(rootDir), workDir_(workDir), modules_(rootDir) {
    g_current = this;
}

Simulation::~Simulation() {
    shutdown();
    if (g_current == this) g_current = nullptr;
}

Simulation *Simulation::current() { return g_current; }

void Simulation::setTimeAcceleration(double warp) {
    warp_ = std::max(minTimeAcceleration, std::min(maxTimeAcceleration, warp));
}

// ---------------------------------------------------------------------------
// Objects
Body *Simulation::bodyByName(const std::string &name) const {
    for (const auto &b : bodies_)
        if (equalsIgnoreCase(b->name(), name)) return b.get();
    return nullptr;
}

Vessel *Simulation::vesselByName(const std::string &name) const {
    for (const auto &v : vessels_)
        if (equalsIgnoreCase(v->name(), name)) return v.get();
    return nullptr;
}

bool Simulation::isVessel(const void *handle) const {
    if (!handle) return false;
    for (const auto &v : vessels_)
        if (static_cast<const SimObject *>(v.get()) == handle) return true;
    return false;
}

bool Simulation::isBody(const void *handle) const {
    if (!handle) return false;
    for (const auto &b : bodies_)
        if (static_cast<const SimObject *>(b.get()) == handle) return true;
    return false;
}

// The body whose sphere of influence (a·(m/M)^0.4 about its parent) holds
// the position, the innermost one winning; the Sun otherwise.
Body *Simulation::gravityReferenceFor(const VECTOR3 &position) const {
    if (bodies_.empty()) return nullptr;
    Body *best = body(BodyId::Sun);
    for (const auto &b : bodies_) {
        Body *parent = b->parent();
        if (!parent || b.get() == parent) continue;
        double distanceToParent = length(b->position() - parent->position());
        double influence = distanceToParent * std::pow(b->gm() / parent->gm(), 0.4);
        if (length(position - b->position()) < influence) {
            // The Moon lies inside the Earth's sphere: prefer the deeper body.
            if (best == body(BodyId::Sun) || b->parent() == best) best = b.get();
        }
    }
    return best;
}

// ---------------------------------------------------------------------------
// Scenario loading
bool Simulation::loadBodies(double mjd, std::string &error) {
    std::string path = rootDir_ + "/Config/Ephemeris/de405_1970_1989.bin";
    std::string why;
    if (!ephemeris_.load(path, why)) {
        error = "cannot load the ephemeris " + path + ": " + why;
        return false;
    }
    if (!ephemeris_.covers(mjd)) {
        error = formatText("date MJD %.5f is outside the ephemeris span MJD %.1f to %.1f", mjd,
                           ephemeris_.firstMjd(), ephemeris_.lastMjd());
        return false;
    }
    gravity_ = std::make_unique<GravityModel>(ephemeris_);
    bodies_.clear();
    for (int i = 0; i < kBodyCount; ++i)
        bodies_.push_back(std::make_unique<Body>(static_cast<BodyId>(i), ephemeris_));
    for (auto &b : bodies_) {
        BodyId parent = bodyConstants(b->id()).parent;
        if (parent != b->id()) b->setParent(body(parent));
    }
    updateBodies(mjd);
    return true;
}

void Simulation::updateBodies(double mjd) {
    for (auto &b : bodies_) b->update(mjd);
}

bool Simulation::loadScenario(const std::string &path, std::string &error) {
    ScenarioDescription scenario;
    if (!readScenario(path, scenario, error)) return false;
    scenarioDescription_ = scenario.description;
    const double mjd = scenario.mjd;
    const std::string &focusName = scenario.focusName;
    std::string bodyError;
    std::shared_ptr<const SkyData> sky = loadSkyData(rootDir_ + "/Config/Sky", bodyError);
    if (!sky) {
        error = "cannot load the sky: " + bodyError;
        return false;
    }
    sky_ = std::move(sky);
    if (!loadBodies(mjd, bodyError)) {
        // A date the ephemeris does not cover is the date line's fault.
        error =
            ephemeris_.loaded() ? fileLocation(path, scenario.dateLine) + bodyError : path + ": " + bodyError;
        return false;
    }
    mjd_ = mjd;
    simTime_ = 0;
    for (const ScenarioDescription::Vessel &ship : scenario.vessels)
        if (!createVessel(ship.name, ship.className, ship.lines, path, ship.firstLine, error)) return false;

    for (const auto &pending : pendingAttachments_) {
        Vessel *parent = vesselByName(pending->parentName);
        Attachment *parentPoint = parent ? parent->attachmentByIndex(false, pending->parentPoint) : nullptr;
        Attachment *childPoint = pending->child->attachmentByIndex(true, pending->childPoint);
        if (!parent) {
            error = pending->location + "ATTACHED names an unknown parent \"" + pending->parentName + "\"";
            return false;
        }
        if (!parentPoint || !childPoint) {
            error = pending->location + "ATTACHED names an attachment point that does not exist";
            return false;
        }
        if (!attach(parent, parentPoint, pending->child, childPoint)) {
            error = pending->location +
                    "ATTACHED cannot be made: a point is taken or of the wrong side, or the vessels would "
                    "hang from "
                    "each other";
            return false;
        }
    }
    pendingAttachments_.clear();

    focus_ = focusName.empty() ? vessels_.front().get() : vesselByName(focusName);
    if (!focus_) {
        error = path + ": the focus vessel \"" + focusName + "\" is not in the scenario";
        return false;
    }
    running_ = true;
    for (auto &v : vessels_)
        if (VESSEL2 *v2 = v->iface2()) v2->clbkPostCreation();
    cockpit_.start(focus_->iface);
    return true;
}

bool Simulation::createVessel(const std::string &name, const std::string &className,
                              const std::vector<std::string> &lines, const std::string &path, int firstLine,
                              std::string &error) {
    const std::string location = fileLocation(path, firstLine);
    if (vesselByName(name)) {
        error = location + "a second vessel named \"" + name + "\"";
        return false;
    }
    ConfigFile config;
    std::string configPath = rootDir_ + "/Config/Vessels/" + className + ".cfg";
    std::string why;
    if (!config.load(configPath, why)) {
        if (config.found())
            error = location + "vessel \"" + name + "\" of class \"" + className + "\": " + why;
        else
            error = location + "unknown vessel class \"" + className + "\" (no " + configPath + ")";
        return false;
    }
    auto owned = std::make_unique<Vessel>(name, className);
    Vessel *vessel = owned.get();
    vessels_.push_back(std::move(owned));
    OBJHANDLE handle = static_cast<SimObject *>(vessel);

    std::string moduleName;
    if (config.value("Module", moduleName) && !moduleName.empty()) {
        LoadedModule *module = modules_.load(moduleName, why);
        if (!module) {
            error = location + "vessel \"" + name + "\": " + why;
            vessels_.pop_back();
            return false;
        }
        vessel->module = module;
        vessel->iface = module->ovcInit(handle, 1);
        if (!vessel->iface) {
            error =
                location + "vessel \"" + name + "\": ovcInit of module " + moduleName + " returned no vessel";
            vessels_.pop_back();
            return false;
        }
    } else {
        vessel->iface = new PlainVessel(handle, 1);
    }

    VESSEL2 *v2 = vessel->iface2();
    if (v2) v2->clbkSetClassCaps(&config);
    // Generic caps of the configuration file override what the module set.
    std::string value;
    if (config.value("Size", value)) vessel->size = std::atof(value.c_str());
    if (config.value("Mass", value)) vessel->emptyMass = std::atof(value.c_str());
    for (const AttachmentSpec &spec : config.attachments())
        vessel->iface->CreateAttachment(spec.toParent, spec.position, spec.direction, spec.rotation,
                                        spec.id.c_str());

    ScenarioStatus status;
    ScenarioLineReader reader(lines);
    if (v2 && vessel->module) {
        v2->clbkLoadStateEx(&reader, &status);
    } else {
        char *line;
        while (reader.next(line)) parseStandardLine(line, status);
    }
    if (!status.error.empty()) {
        error = location + "vessel \"" + name + "\": " + status.error;
        return false;
    }
    if (!status.hasStatus) {
        error = location + "vessel \"" + name + "\" has no STATUS line";
        return false;
    }
    Body *ref = bodyByName(status.body);
    if (!ref) {
        error = location + "vessel \"" + name + "\": unknown body \"" + status.body + "\"";
        return false;
    }
    // A free vessel in flight starts outside its body (at the centre its
    // gravity has no direction) and below the speed of light (faster, its
    // position would soon overflow). Attached vessels are placed by their
    // parents, landed ones by POS.
    if (!status.landed && !status.attached) {
        const double distance = length(status.rpos);
        if (!(distance >= ref->radius())) {
            error = location +
                    formatText("vessel \"%s\" starts inside %s: RPOS %.0f m from its centre, radius %.0f m",
                               name.c_str(), ref->name().c_str(), distance, ref->radius());
            return false;
        }
        if (!(length(status.rvel) < kSpeedOfLight)) {
            error = location + "vessel \"" + name + "\": RVEL is not below the speed of light";
            return false;
        }
    }
    VESSELSTATUS vs;
    std::memset(&vs, 0, sizeof vs);
    vs.rbody = static_cast<SimObject *>(ref);
    vs.rpos = status.rpos;
    vs.rvel = status.rvel;
    vs.arot = status.arot * RAD;
    vs.status = status.landed ? 1 : 0;
    vs.vdata[0] = _V(status.longitude * RAD, status.latitude * RAD, status.heading * RAD);
    applyStatus(vessel, vs);
    for (const auto &level : status.propellantLevels) {
        if (level.first >= 0 && level.first < static_cast<int>(vessel->propellants.size())) {
            PropellantResource *p = vessel->propellants[level.first].get();
            p->mass = std::max(0.0, std::min(1.0, level.second)) * p->maxMass;
        }
    }
    if (status.attached) {
        pendingAttachments_.push_back(std::make_unique<PendingAttachment>(
            PendingAttachment{vessel, status.childPoint, status.parentPoint, status.parentName, location}));
    }
    return true;
}

void Simulation::applyStatus(Vessel *vessel, const VESSELSTATUS &status) {
    vessel->iface->DefSetState(&status);
}

void Simulation::writeLine(FILEHANDLE scn, const std::string &line) {
    if (scn) static_cast<ScenarioWriter *>(scn)->line(line);
}

void Simulation::writeStandardLines(Vessel *vessel, FILEHANDLE scn) {
    Body *ref = vessel->gravityRef ? vessel->gravityRef : gravityReferenceFor(vessel->position);
    if (!ref) return;
    ScenarioStatus state;
    state.body = ref->name();
    state.landed = vessel->landed;
    state.longitude = vessel->landedLongitude * DEG;
    state.latitude = vessel->landedLatitude * DEG;
    state.heading = vessel->landedHeading * DEG;
    state.rpos = vessel->position - ref->position();
    state.rvel = vessel->velocity - ref->velocity();
    state.arot = eulerAnglesOf(vessel->rotation) * DEG;
    if (Attachment *link = vessel->parentLink()) {
        Vessel *parent = link->mate->owner;
        state.attached = true;
        state.childPoint = static_cast<int>(vessel->iface->GetAttachmentIndex(link));
        state.parentPoint = static_cast<int>(parent->iface->GetAttachmentIndex(link->mate));
        state.parentName = parent->name();
    }
    std::vector<double> levels;
    for (const auto &tank : vessel->propellants)
        levels.push_back(tank->maxMass > 0 ? tank->mass / tank->maxMass : 0.0);
    for (const std::string &line : standardLines(state, levels)) writeLine(scn, line);
}

bool Simulation::saveScenario(const std::string &path, std::string &error) {
    ScenarioWriter out;
    out.line("BEGIN_DESC");
    std::string desc = scenarioDescription_;
    if (!desc.empty() && desc.back() == '\n') desc.pop_back();
    if (!desc.empty()) out.line(desc);
    out.line("END_DESC");
    out.line("");
    out.line("BEGIN_ENVIRONMENT");
    out.line("  System Sol");
    out.line(formatText("  Date MJD %.12f", mjd_));
    out.line("END_ENVIRONMENT");
    out.line("");
    if (focus_) {
        out.line("BEGIN_FOCUS");
        out.line("  Ship " + focus_->name());
        out.line("END_FOCUS");
        out.line("");
    }
    out.line("BEGIN_SHIPS");
    for (auto &v : vessels_) {
        out.line(v->name() + ":" + v->className());
        if (VESSEL2 *v2 = v->iface2())
            v2->clbkSaveState(&out);
        else
            writeStandardLines(v.get(), &out);
        out.line("END");
    }
    out.line("END_SHIPS");
    std::ofstream file(path);
    if (!file) {
        error = "cannot write scenario " + path;
        return false;
    }
    file << out.text();
    return static_cast<bool>(file);
}

void Simulation::shutdown() {
    if (!vessels_.empty() || running_) cockpit_.shutdown();
    running_ = false;
    for (auto &v : vessels_) {
        if (!v->iface) continue;
        if (v->module)
            v->module->ovcExit(v->iface);
        else
            delete static_cast<PlainVessel *>(v->iface);
        v->iface = nullptr;
    }
    modules_.unloadAll();
    vessels_.clear();
}

// ---------------------------------------------------------------------------
// Attachments
bool Simulation::attach(Vessel *parent, Attachment *parentPoint, Vessel *child, Attachment *childPoint) {
    if (parentPoint->toParent || !childPoint->toParent) return false;
    if (parentPoint->mate || childPoint->mate || child->parentLink() || child == parent) return false;
    for (Vessel *up = parent; up; up = up->parent())
        if (up == child) return false;  // no cycles
    parentPoint->mate = childPoint;
    childPoint->mate = parentPoint;
    child->landed = false;
    placeAttachedChildren(parent);
    return true;
}

bool Simulation::detach(Attachment *parentPoint, double separationSpeed) {
    Attachment *childPoint = parentPoint->mate;
    if (!childPoint) return false;
    Vessel *parent = parentPoint->owner;
    Vessel *child = childPoint->owner;
    parentPoint->mate = nullptr;
    childPoint->mate = nullptr;
    VECTOR3 dir = length(parentPoint->direction) > 0 ? unit(parentPoint->direction) : _V(0, 0, 1);
    child->velocity = parent->velocity + mul(parent->rotation, dir) * separationSpeed;
    child->landed = false;
    child->gravityRef = gravityReferenceFor(child->position);
    return true;
}

void Simulation::placeAttachedChildren(Vessel *parent) {
    for (const auto &point : parent->attachments) {
        if (point->toParent || !point->mate) continue;
        Attachment *childPoint = point->mate;
        Vessel *child = childPoint->owner;
        MATRIX3 q = attachmentRotation(point->direction, point->rotation, childPoint->direction,
                                       childPoint->rotation);
        child->rotation = mul(parent->rotation, q);
        child->position = parent->localToGlobal(point->position) - mul(child->rotation, childPoint->position);
        child->velocity = parent->velocity;
        child->gravityRef = parent->gravityRef;
        child->landed = false;
        placeAttachedChildren(child);
    }
}

// ---------------------------------------------------------------------------
// Frame loop
void Simulation::propagateVessels(double mjd0, double dt) {
    const double mjd1 = mjd0 + dt / 86400.0;
    for (auto &owned : vessels_) {
        Vessel *v = owned.get();
        if (v->parent()) continue;  // carried by its parent
        if (v->landed) {
            if (v->gravityRef)
                v->gravityRef->surfaceToGlobal(mjd1, v->landedLongitude, v->landedLatitude,
                                               v->gravityRef->radius(), v->position, v->velocity);
        } else {
            // Thrust of every engine in the superstructure acts on its whole mass.
            ThrustProfile thrust;
            thrust.initialMass = v->superstructureMass();
            std::vector<Vessel *> members{v};
            for (size_t i = 0; i < members.size(); ++i)
                for (const auto &a : members[i]->attachments)
                    if (!a->toParent && a->mate) members.push_back(a->mate->owner);
            bool thrusting = false;
            for (Vessel *m : members) {
                for (const auto &t : m->thrusters) {
                    if (t->level <= 0 || !t->resource || t->resource->mass <= 0) continue;
                    double force = t->level * t->maxThrust0;
                    double flow = t->isp0 > 0 ? force / t->isp0 : 0.0;
                    // A tank that runs dry within the step gives thrust for
                    // the part of the step its propellant lasts, spread over it.
                    double available = t->resource->mass / std::max(dt, 1e-9);
                    if (flow > available) {
                        force *= available / flow;
                        flow = available;
                    }
                    thrust.force += mul(m->rotation, t->direction) * force;
                    thrust.massFlow += flow;
                    t->resource->flowRate += flow;
                    t->resource->mass = std::max(0.0, t->resource->mass - flow * dt);
                    thrusting = true;
                }
            }
            gravity_->propagate(mjd0, dt, v->position, v->velocity, thrusting ? &thrust : nullptr);
            v->gravityRef = gravityReferenceFor(v->position);
        }
        placeAttachedChildren(v);
    }
}

void Simulation::frame() {
    if (!running_) return;
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double>(to - from).count();
    };
    const Clock::time_point start = Clock::now();
    const double dt = frameLength_ * warp_;
    VESSEL *focusInterface = focus_ ? focus_->iface : nullptr;
    cockpit_.beginFrame(focusInterface);
    const Clock::time_point inputDone = Clock::now();

    // The modules see the time the step leads to; oapiGetSimTime and
    // oapiGetSimMJD keep the present time until the state has moved.
    const double t1 = simTime_ + dt;
    const double mjd1 = mjd_ + dt / 86400.0;
    for (auto &v : vessels_)
        if (VESSEL2 *v2 = v->iface2()) v2->clbkPreStep(t1, dt, mjd1);
    const Clock::time_point preStepDone = Clock::now();

    for (auto &v : vessels_)
        for (auto &p : v->propellants) p->flowRate = 0;
    updateBodies(mjd1);
    propagateVessels(mjd_, dt);
    simTime_ = t1;
    mjd_ = mjd1;
    simStep_ = dt;
    const Clock::time_point motionDone = Clock::now();

    for (auto &v : vessels_)
        if (VESSEL2 *v2 = v->iface2()) v2->clbkPostStep(simTime_, dt, mjd_);
    const Clock::time_point postStepDone = Clock::now();
    cockpit_.endFrame(focus_ ? focus_->iface : nullptr);
    ++frameCount_;
    frameTimes_.input = seconds(start, inputDone);
    frameTimes_.preStep = seconds(inputDone, preStepDone);
    frameTimes_.motion = seconds(preStepDone, motionDone);
    frameTimes_.postStep = seconds(motionDone, postStepDone);
    frameTimes_.drawing = seconds(postStepDone, Clock::now());
}

}  // namespace sim
