// The simulator's working folder and the translation of Windows paths.
//
// Modules name files as on Windows: "PHOTO\\photo3.bmp",
// "Q4K12techout\\prg78.out". hostPath turns the backslashes into folders and
// resolves a relative path against the working folder (by default the
// process's current directory when first asked). A folder or file name that
// does not exist with the exact spelling is matched without regard to case,
// as Windows does, when exactly one entry matches.
#pragma once

#include <string>

namespace sim {

void setWorkingFolder(const std::string &folder);
const std::string &workingFolder();
// The host path of a Windows path; an empty string for a null path.
std::string hostPath(const char *windowsPath);

}  // namespace sim
