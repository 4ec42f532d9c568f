#include "BmpFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

const uint16_t kMagenta555 = 0x7C1F;

void Put16(std::vector<uint8_t> &out, uint32_t value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t> &out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

int Quantise(float value, float threshold) {
    const float level = std::clamp(value, 0.0f, 1.0f) * 31.0f;
    return std::clamp(int(std::floor(level + threshold)), 0, 31);
}

}  // namespace

bool WriteBmp16(const Canvas &canvas, const std::string &path) {
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const int width = canvas.Width(), height = canvas.Height();
    const uint32_t rowBytes = (uint32_t(width) * 2 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * uint32_t(height);
    const uint32_t headerBytes = 14 + 40;

    std::vector<uint8_t> out;
    out.reserve(headerBytes + imageBytes);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    Put32(out, headerBytes + imageBytes);
    Put32(out, 0);
    Put32(out, headerBytes);
    // BITMAPINFOHEADER
    Put32(out, 40);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));  // positive: bottom-up
    Put16(out, 1);
    Put16(out, 16);
    Put32(out, 0);  // BI_RGB: 5-5-5
    Put32(out, imageBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);

    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            uint16_t pixel = kMagenta555;
            if (!canvas.IsTransparent(x, y)) {
                const float threshold = (bayer[y & 3][x & 3] + 0.5f) / 16.0f;
                const Color &c = canvas.At(x, y);
                pixel = uint16_t(Quantise(c.r, threshold) << 10 | Quantise(c.g, threshold) << 5 |
                                 Quantise(c.b, threshold));
                if (pixel == kMagenta555) pixel = kMagenta555 - 1;  // keep the colour key exclusive
            }
            Put16(out, pixel);
        }
        for (uint32_t pad = uint32_t(width) * 2; pad < rowBytes; ++pad) out.push_back(0);
    }

    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) std::fprintf(stderr, "error writing %s\n", path.c_str());
    return written && closed;
}
