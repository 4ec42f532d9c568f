#include "cockpit/Cockpit.h"

namespace sim {

struct Cockpit::Impl {};

Cockpit::Cockpit() : impl(new Impl) {}
Cockpit::~Cockpit() { delete impl; }
void Cockpit::start(VESSEL *focus) {}
void Cockpit::shutdown() {}
void Cockpit::beginFrame(VESSEL *focus) {}
void Cockpit::endFrame(VESSEL *focus) {}

}  // namespace sim
