#include "gdi/BmpDecoder.h"

#include <cstdint>
#include <vector>

namespace sim {

namespace {

constexpr std::uint32_t compressionRgb = 0;
constexpr std::uint32_t compressionBitfields = 3;
constexpr long largestSide = 32768;

std::uint32_t read16(const unsigned char *p) { return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8); }
std::uint32_t read32(const unsigned char *p) { return read16(p) | (read16(p + 2) << 16); }

// One colour channel given by a bit mask, scaled to 0-255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t maximum = 0;

    explicit Channel(std::uint32_t mask) : mask(mask) {
        if (mask == 0) return;
        while (((mask >> shift) & 1u) == 0) ++shift;
        maximum = mask >> shift;
    }
    unsigned value(std::uint32_t pixel) const {
        if (maximum == 0) return 0;
        const std::uint64_t raw = (pixel & mask) >> shift;
        return unsigned((raw * 255 + maximum / 2) / maximum);
    }
};

}  // namespace

void defaultRgbMasks(int bits, std::uint32_t masks[3]) {
    if (bits == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    } else {
        masks[0] = 0x00FF0000;
        masks[1] = 0x0000FF00;
        masks[2] = 0x000000FF;
    }
}

std::unique_ptr<Surface> decodeBmp(const unsigned char *data, std::size_t size, std::string &error) {
    if (data == nullptr || size < 4) {
        error = "no image data";
        return nullptr;
    }
    std::size_t infoOffset = 0;
    std::size_t pixelOffset = 0;  // 0: right after the header and colour table
    if (data[0] == 'B' && data[1] == 'M') {
        if (size < 14 + 40) {
            error = "BMP file too short";
            return nullptr;
        }
        infoOffset = 14;
        pixelOffset = read32(data + 10);
    }
    if (size - infoOffset < 40) {
        error = "BMP information header missing";
        return nullptr;
    }
    const unsigned char *info = data + infoOffset;
    const std::uint32_t headerSize = read32(info);
    if (headerSize < 40 || headerSize > size - infoOffset) {
        error = "unsupported BMP information header";
        return nullptr;
    }
    const long width = std::int32_t(read32(info + 4));
    const long signedHeight = std::int32_t(read32(info + 8));
    const unsigned bits = read16(info + 14);
    const std::uint32_t compression = read32(info + 16);
    std::uint32_t coloursUsed = read32(info + 32);
    const bool topDown = signedHeight < 0;
    const long height = topDown ? -signedHeight : signedHeight;
    if (width <= 0 || height <= 0 || width > largestSide || height > largestSide) {
        error = "bad BMP size";
        return nullptr;
    }

    // Masks: for BI_BITFIELDS they follow a 40-byte header or sit inside a
    // larger one; the defaults are 5-5-5 and 8-8-8.
    std::uint32_t masks[3] = {0, 0, 0};
    std::size_t tableOffset = infoOffset + headerSize;
    if (compression == compressionBitfields) {
        if (bits != 16 && bits != 32) {
            error = "BI_BITFIELDS needs 16 or 32 bits";
            return nullptr;
        }
        const std::size_t maskOffset = headerSize >= 52 ? infoOffset + 40 : tableOffset;
        if (maskOffset + 12 > size) {
            error = "BMP colour masks missing";
            return nullptr;
        }
        for (int i = 0; i < 3; ++i) masks[i] = read32(data + maskOffset + 4 * i);
        if (headerSize < 52) tableOffset += 12;
    } else if (compression == compressionRgb) {
        defaultRgbMasks(bits, masks);
    } else {
        error = "compressed BMP images are not supported";
        return nullptr;
    }

    std::vector<std::uint32_t> palette;
    if (bits == 1 || bits == 4 || bits == 8) {
        const std::uint32_t entries = 1u << bits;
        if (coloursUsed == 0 || coloursUsed > entries) coloursUsed = entries;
        if (tableOffset + std::size_t(coloursUsed) * 4 > size) {
            error = "BMP colour table truncated";
            return nullptr;
        }
        palette.assign(entries, 0);
        for (std::uint32_t i = 0; i < coloursUsed; ++i) {
            const unsigned char *entry = data + tableOffset + 4 * i;
            palette[i] = Surface::rgb(entry[2], entry[1], entry[0]);
        }
        tableOffset += std::size_t(coloursUsed) * 4;
    } else if (bits != 16 && bits != 24 && bits != 32) {
        error = "unsupported BMP bit count " + std::to_string(bits);
        return nullptr;
    }
    if (pixelOffset == 0) pixelOffset = tableOffset;

    const std::size_t stride = ((std::size_t(width) * bits + 31) / 32) * 4;
    if (pixelOffset > size || stride * std::size_t(height) > size - pixelOffset) {
        error = "BMP pixel data truncated";
        return nullptr;
    }

    auto surface = std::make_unique<Surface>(int(width), int(height));
    surface->setBitsPerPixel(bits == 16 ? 16 : 32);
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    for (long line = 0; line < height; ++line) {
        const unsigned char *source = data + pixelOffset + stride * std::size_t(line);
        std::uint32_t *target = surface->row(int(topDown ? line : height - 1 - line));
        for (long x = 0; x < width; ++x) {
            std::uint32_t colour = 0;
            switch (bits) {
                case 1:
                    colour = palette[(source[x / 8] >> (7 - x % 8)) & 1u];
                    break;
                case 4:
                    colour = palette[(source[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xFu];
                    break;
                case 8:
                    colour = palette[source[x]];
                    break;
                case 24:
                    colour = Surface::rgb(source[3 * x + 2], source[3 * x + 1], source[3 * x]);
                    break;
                default: {
                    const std::uint32_t value = bits == 16 ? read16(source + 2 * x) : read32(source + 4 * x);
                    colour = Surface::rgb(red.value(value), green.value(value), blue.value(value));
                    break;
                }
            }
            target[x] = colour;
        }
    }
    return surface;
}

}  // namespace sim
