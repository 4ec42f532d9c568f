#include "core/Vessel.h"

#include <algorithm>

Vessel::Vessel(const std::string &name, const std::string &className)
    : SimObject(Kind::Vessel),
      name_(name),
      className_(className),
      nameBuffer_(name.begin(), name.end()),
      classBuffer_(className.begin(), className.end()) {
    nameBuffer_.push_back('\0');
    classBuffer_.push_back('\0');
}

Vessel::~Vessel() = default;

VESSEL2 *Vessel::iface2() const {
    if (!iface || iface->Version() < 1) return nullptr;
    return static_cast<VESSEL2 *>(iface);
}

double Vessel::mass() const {
    double m = emptyMass;
    for (const auto &p : propellants) m += p->mass;
    return m;
}

double Vessel::superstructureMass() const {
    double m = mass();
    for (const auto &a : attachments)
        if (!a->toParent && a->mate) m += a->mate->owner->superstructureMass();
    return m;
}

template <class T>
static bool owns(const std::vector<std::unique_ptr<T>> &list, const T *item) {
    if (!item) return false;
    for (const auto &p : list)
        if (p.get() == item) return true;
    return false;
}

bool Vessel::ownsPropellant(const PropellantResource *p) const { return owns(propellants, p); }
bool Vessel::ownsThruster(const Thruster *t) const { return owns(thrusters, t); }
bool Vessel::ownsGroup(const ThrusterGroup *g) const { return owns(groups, g); }
bool Vessel::ownsAttachment(const Attachment *a) const { return owns(attachments, a); }

ThrusterGroup *Vessel::groupOfType(THGROUP_TYPE type) const {
    if (type == THGROUP_USER) return nullptr;
    for (const auto &g : groups)
        if (g->type == type) return g.get();
    return nullptr;
}

Attachment *Vessel::attachmentByIndex(bool toParent, unsigned index) const {
    unsigned i = 0;
    for (const auto &a : attachments) {
        if (a->toParent != toParent) continue;
        if (i == index) return a.get();
        ++i;
    }
    return nullptr;
}

unsigned Vessel::attachmentCount(bool toParent) const {
    unsigned n = 0;
    for (const auto &a : attachments)
        if (a->toParent == toParent) ++n;
    return n;
}

void Vessel::deleteThruster(Thruster *t) {
    for (auto &g : groups) g->thrusters.erase(std::remove(g->thrusters.begin(), g->thrusters.end(), t), g->thrusters.end());
    thrusters.erase(std::remove_if(thrusters.begin(), thrusters.end(),
                                   [t](const std::unique_ptr<Thruster> &p) { return p.get() == t; }),
                    thrusters.end());
}

Attachment *Vessel::parentLink() const {
    for (const auto &a : attachments)
        if (a->toParent && a->mate) return a.get();
    return nullptr;
}

Vessel *Vessel::parent() const {
    Attachment *link = parentLink();
    return link ? link->mate->owner : nullptr;
}

VECTOR3 Vessel::localToGlobal(const VECTOR3 &local) const { return position + mul(rotation, local); }

VECTOR3 Vessel::globalToLocal(const VECTOR3 &global) const { return tmul(rotation, global - position); }
