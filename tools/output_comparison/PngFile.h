// Reads a PNG picture into a surface (through libpng).
#pragma once

#include <memory>
#include <string>

#include "gdi/Surface.h"

namespace output_comparison {

// Null with a reason in `error` when the file cannot be read as a PNG.
std::unique_ptr<sim::Surface> readPng(const std::string &path, std::string &error);

}  // namespace output_comparison
