// Runner commands that act through the cockpit: panels, mouse, keys, input
// boxes, pictures and the texts an area shows.
#pragma once

namespace okulsim {

void registerCockpitCommands();

}  // namespace okulsim
