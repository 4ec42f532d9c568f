// Runner commands that look ahead along a vessel's path with the
// simulator's own gravity: its next periapsis about a body, how far that lies
// from a target point, and a picture of the path.
#pragma once

namespace okulsim {

void registerTrajectoryCommands();

}  // namespace okulsim
