// Writes a Canvas as a Windows bitmap file: 16 bits per pixel, 5-5-5
// (BI_RGB), rows bottom-up. Transparent pixels become exactly magenta
// (0x7C1F); no other pixel may quantise to it. Ordered dithering keeps the
// gradients smooth in 32 levels per channel.
#ifndef OKUL_PANEL_ARTWORK_BMP_FILE_H
#define OKUL_PANEL_ARTWORK_BMP_FILE_H

#include <string>

#include "Canvas.h"

bool WriteBmp16(const Canvas &canvas, const std::string &path);

#endif
