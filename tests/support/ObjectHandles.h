// The running simulation's vessels and bodies by name, through the
// simulator interface (whose look-ups take writable text).
#pragma once

#include <OrbiterAPI.h>

#include <string>

namespace testsupport {

// Null when there is none of that name.
OBJHANDLE VesselByName(const std::string &name);
OBJHANDLE BodyByName(const std::string &name);

}  // namespace testsupport
