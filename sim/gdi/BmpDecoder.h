// Decodes BMP images (what a module's bitmap resources hold).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "gdi/Surface.h"

namespace sim {

// Accepts a complete .bmp file or a bare DIB (information header first).
// Formats: 1, 4 and 8 bits with a colour table; 16 bits (BI_RGB 5-5-5 or
// BI_BITFIELDS); 24 bits; 32 bits (BI_RGB or BI_BITFIELDS); rows bottom-up
// (positive height) or top-down (negative height). A 16-bit image gives a
// surface reporting 16 bits per pixel, all others 32. Null with a reason in
// `error` for anything malformed or unsupported (compressed images).
// The red, green and blue masks of an uncompressed (BI_RGB) DIB of 16 bits
// (5-5-5) or of 24 and 32 bits (8-8-8).
void defaultRgbMasks(int bits, std::uint32_t masks[3]);

std::unique_ptr<Surface> decodeBmp(const unsigned char *data, std::size_t size, std::string &error);

}  // namespace sim
