// Writes a surface as an 8-bit RGB PNG, to a file or into memory.
#pragma once

#include <string>
#include <vector>

#include "gdi/Surface.h"

namespace sim {

// False with a message in `error` when the file cannot be written.
bool writePng(const Surface &surface, const std::string &path, std::string &error);

// How much effort the compression takes: the smallest file, or a quick one
// for pictures sent many times a second.
enum class PngCompression { Smallest, Fast };

// The PNG file of the surface in `bytes` (replaced); false with a message in
// `error` for an empty surface.
bool encodePng(const Surface &surface, PngCompression compression, std::vector<unsigned char> &bytes,
               std::string &error);

}  // namespace sim
