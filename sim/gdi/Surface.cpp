#include "gdi/Surface.h"

#include <algorithm>
#include <cstring>

namespace sim {

Surface::Surface(int width, int height, std::uint32_t fill)
    : surfaceWidth(std::max(width, 0)),
      surfaceHeight(std::max(height, 0)),
      pixelData(std::size_t(surfaceWidth) * surfaceHeight, fill & 0x00FFFFFFu) {}

Surface::Surface(int width, int height, const std::uint32_t *pixels) : Surface(width, height) {
    if (pixels == nullptr) return;
    for (std::size_t i = 0; i < pixelData.size(); ++i) pixelData[i] = pixels[i] & 0x00FFFFFFu;
}

void Surface::fill(std::uint32_t colour) { std::fill(pixelData.begin(), pixelData.end(), colour & 0x00FFFFFFu); }

void Surface::fillRect(int left, int top, int right, int bottom, std::uint32_t colour) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, surfaceWidth);
    bottom = std::min(bottom, surfaceHeight);
    if (left >= right || top >= bottom) return;
    colour &= 0x00FFFFFFu;
    for (int y = top; y < bottom; ++y) std::fill(row(y) + left, row(y) + right, colour);
}

void Surface::copyFrom(const Surface &source, int sourceX, int sourceY, int width, int height, int x, int y) {
    // Clip against the source, then against this surface, moving both origins.
    if (sourceX < 0) {
        width += sourceX;
        x -= sourceX;
        sourceX = 0;
    }
    if (sourceY < 0) {
        height += sourceY;
        y -= sourceY;
        sourceY = 0;
    }
    if (x < 0) {
        width += x;
        sourceX -= x;
        x = 0;
    }
    if (y < 0) {
        height += y;
        sourceY -= y;
        y = 0;
    }
    width = std::min({width, source.width() - sourceX, surfaceWidth - x});
    height = std::min({height, source.height() - sourceY, surfaceHeight - y});
    if (width <= 0 || height <= 0) return;
    const std::size_t bytes = std::size_t(width) * sizeof(std::uint32_t);
    if (&source == this && sourceY < y) {
        // Overlapping copy downwards: go from the bottom row up.
        for (int line = height - 1; line >= 0; --line)
            std::memmove(row(y + line) + x, source.row(sourceY + line) + sourceX, bytes);
    } else {
        for (int line = 0; line < height; ++line)
            std::memmove(row(y + line) + x, source.row(sourceY + line) + sourceX, bytes);
    }
}

void Surface::addText(int x, int y, unsigned align, std::string utf8) {
    if (textRecords.size() >= maxTextRecords) textRecords.pop_front();
    textRecords.push_back(TextRecord{x, y, align, std::move(utf8)});
}

}  // namespace sim
