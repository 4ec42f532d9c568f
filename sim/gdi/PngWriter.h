// Writes a surface as an 8-bit RGB PNG file.
#pragma once

#include <string>

#include "gdi/Surface.h"

namespace sim {

// False with a message in `error` when the file cannot be written.
bool writePng(const Surface &surface, const std::string &path, std::string &error);

}  // namespace sim
