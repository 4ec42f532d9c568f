// The simulator's own vessel: physical set-up, propellant, thrusters,
// attachments and state. Modules see it through VESSEL (whose private
// pointer names it) and through OBJHANDLE.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include "core/SimObject.h"

namespace sim {
class Body;
class LoadedModule;
struct ClassConfig;
}  // namespace sim

struct PropellantResource {
    double maxMass = 0.0;
    double mass = 0.0;
    double efficiency = 1.0;
    double flowRate = 0.0;  // kg/s during the last step
};

struct Thruster {
    VECTOR3 position{};
    VECTOR3 direction{};
    double maxThrust0 = 0.0;   // vacuum thrust [N]
    PropellantResource *resource = nullptr;
    double isp0 = 0.0;         // vacuum specific impulse [m/s]; 0: uses no propellant
    double ispRef = 0.0;
    double pressureRef = 101.4e3;
    double level = 0.0;
};

struct ThrusterGroup {
    THGROUP_TYPE type = THGROUP_USER;
    std::vector<Thruster *> thrusters;
};

class Vessel;

struct Attachment {
    Vessel *owner = nullptr;
    bool toParent = false;  // true: the child side (attaches this vessel to a parent)
    VECTOR3 position{};
    VECTOR3 direction{};
    VECTOR3 rotation{};
    std::string id;
    bool loose = false;
    Attachment *mate = nullptr;  // the point on the other vessel while attached
};

class Vessel : public sim::SimObject {
public:
    Vessel(const std::string &name, const std::string &className);
    ~Vessel() override;

    const std::string &name() const { return name_; }
    const std::string &className() const { return className_; }
    char *nameBuffer() { return nameBuffer_.data(); }
    char *classBuffer() { return classBuffer_.data(); }

    // The module's interface object, and who owns it.
    VESSEL *iface = nullptr;
    sim::LoadedModule *module = nullptr;  // null: a plain vessel created by the simulator
    VESSEL2 *iface2() const;              // iface when it is a VESSEL2 (version >= 1), else null

    // Physical set-up
    double emptyMass = 0.0;
    double size = 1.0;
    VECTOR3 pmi{{1.0, 1.0, 1.0}};
    VECTOR3 cameraOffset{};
    double cw[4] = {0.0, 0.0, 0.0, 0.0};
    VECTOR3 crossSections{{1.0, 1.0, 1.0}};
    VECTOR3 touchdown[3]{};
    double frictionLongitudinal = 0.0, frictionLateral = 0.0;

    std::vector<std::unique_ptr<PropellantResource>> propellants;
    PropellantResource *defaultPropellant = nullptr;
    std::vector<std::unique_ptr<Thruster>> thrusters;
    std::vector<std::unique_ptr<ThrusterGroup>> groups;
    std::vector<std::unique_ptr<Attachment>> attachments;  // both sides, in creation order

    double mass() const;               // empty mass plus propellant
    double superstructureMass() const; // this vessel and every attached child below it
    bool ownsPropellant(const PropellantResource *p) const;
    bool ownsThruster(const Thruster *t) const;
    bool ownsGroup(const ThrusterGroup *g) const;
    bool ownsAttachment(const Attachment *a) const;
    ThrusterGroup *groupOfType(THGROUP_TYPE type) const;
    Attachment *attachmentByIndex(bool toParent, unsigned index) const;
    unsigned attachmentCount(bool toParent) const;
    void deleteThruster(Thruster *t);

    // State: global (barycentric) position and velocity, and the rotation
    // matrix taking vessel coordinates to global ones.
    VECTOR3 position{};
    VECTOR3 velocity{};
    MATRIX3 rotation{{1, 0, 0, 0, 1, 0, 0, 0, 1}};
    sim::Body *gravityRef = nullptr;

    bool landed = false;
    double landedLongitude = 0.0, landedLatitude = 0.0, landedHeading = 0.0;

    // Attachment to a parent: our child-side point's mate is on the parent.
    Attachment *parentLink() const;  // our child-side point that is attached, or null
    Vessel *parent() const;

    VECTOR3 localToGlobal(const VECTOR3 &local) const;
    VECTOR3 globalToLocal(const VECTOR3 &global) const;

private:
    std::string name_;
    std::string className_;
    std::vector<char> nameBuffer_;
    std::vector<char> classBuffer_;
};
