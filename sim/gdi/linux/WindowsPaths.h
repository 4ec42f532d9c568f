// Windows paths on Linux.
//
// Modules name files as on Windows: "PHOTO\\photo3.bmp",
// "Q4K12techout\\prg78.out". hostPath turns the backslashes into folders and
// resolves a relative path against the process's current folder, as Windows
// does. A folder or file name that does not exist with the exact spelling is
// matched without regard to case, as Windows does, when exactly one entry
// matches.
#pragma once

#include <string>

namespace sim {

// The host path of a Windows path; an empty string for a null path.
std::string hostPath(const char *windowsPath);

}  // namespace sim
