#include "ObjectHandles.h"

#include <vector>

namespace testsupport {

namespace {

std::vector<char> Writable(const std::string &name) {
    return std::vector<char>(name.c_str(), name.c_str() + name.size() + 1);
}

}  // namespace

OBJHANDLE VesselByName(const std::string &name) { return oapiGetVesselByName(Writable(name).data()); }

OBJHANDLE BodyByName(const std::string &name) { return oapiGetGbodyByName(Writable(name).data()); }

}  // namespace testsupport
