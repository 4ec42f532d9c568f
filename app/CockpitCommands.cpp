#include "CockpitCommands.h"

namespace okulsim {

void registerCockpitCommands() {}

}  // namespace okulsim
