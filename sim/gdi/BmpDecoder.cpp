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

// One colour channel given by a bit mask, widened to 8 bits as GDI does:
// the channel's bits move to the top of the byte and its top bits repeat
// below them (5 bits abcde give abcdeabc: 3 of 31 gives 24, 31 gives 255).
// A channel wider than 8 bits keeps its top 8.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int width = 0;

    explicit Channel(std::uint32_t mask) : mask(mask) {
        if (mask == 0) return;
        while (((mask >> shift) & 1u) == 0) ++shift;
        while (shift + width < 32 && ((mask >> (shift + width)) & 1u) != 0) ++width;
    }
    unsigned value(std::uint32_t pixel) const {
        if (width == 0) return 0;
        const std::uint32_t raw = (pixel & mask) >> shift;
        if (width >= 8) return unsigned(raw >> (width - 8)) & 0xFFu;
        std::uint32_t widened = raw << (8 - width);
        widened |= widened >> width;
        return unsigned(widened) & 0xFFu;
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

namespace {

// Where the parts of a BMP lie and what its information header says.
struct BmpLayout {
    std::size_t infoOffset = 0;
    std::size_t pixelOffset = 0;  // 0: right after the header, masks and colour table
    std::size_t tableOffset = 0;  // the masks or the colour table
    std::uint32_t headerSize = 0;
    long width = 0, height = 0;
    bool topDown = false;
    unsigned bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

// The file header (when there is one) and the information header.
bool readHeaders(const unsigned char *data, std::size_t size, BmpLayout &layout, std::string &error) {
    if (data == nullptr || size < 4) {
        error = "no image data";
        return false;
    }
    if (data[0] == 'B' && data[1] == 'M') {
        if (size < 14 + 40) {
            error = "BMP file too short";
            return false;
        }
        layout.infoOffset = 14;
        layout.pixelOffset = read32(data + 10);
    }
    if (size - layout.infoOffset < 40) {
        error = "BMP information header missing";
        return false;
    }
    const unsigned char *info = data + layout.infoOffset;
    layout.headerSize = read32(info);
    if (layout.headerSize < 40 || layout.headerSize > size - layout.infoOffset) {
        error = "unsupported BMP information header";
        return false;
    }
    layout.width = std::int32_t(read32(info + 4));
    const long signedHeight = std::int32_t(read32(info + 8));
    layout.bits = read16(info + 14);
    layout.compression = read32(info + 16);
    layout.coloursUsed = read32(info + 32);
    layout.topDown = signedHeight < 0;
    layout.height = layout.topDown ? -signedHeight : signedHeight;
    if (layout.width <= 0 || layout.height <= 0 || layout.width > largestSide ||
        layout.height > largestSide) {
        error = "bad BMP size";
        return false;
    }
    layout.tableOffset = layout.infoOffset + layout.headerSize;
    return true;
}

// Masks: for BI_BITFIELDS they follow a 40-byte header or sit inside a
// larger one; the defaults are 5-5-5 and 8-8-8.
bool readMasks(const unsigned char *data, std::size_t size, BmpLayout &layout, std::uint32_t masks[3],
               std::string &error) {
    if (layout.compression == compressionBitfields) {
        if (layout.bits != 16 && layout.bits != 32) {
            error = "BI_BITFIELDS needs 16 or 32 bits";
            return false;
        }
        const std::size_t maskOffset = layout.headerSize >= 52 ? layout.infoOffset + 40 : layout.tableOffset;
        if (maskOffset + 12 > size) {
            error = "BMP colour masks missing";
            return false;
        }
        for (int i = 0; i < 3; ++i) masks[i] = read32(data + maskOffset + 4 * i);
        if (layout.headerSize < 52) layout.tableOffset += 12;
        return true;
    }
    if (layout.compression == compressionRgb) {
        defaultRgbMasks(int(layout.bits), masks);
        return true;
    }
    error = "compressed BMP images are not supported";
    return false;
}

// The colour table of 1, 4 and 8 bits per pixel; other depths have none.
bool readPalette(const unsigned char *data, std::size_t size, BmpLayout &layout,
                 std::vector<std::uint32_t> &palette, std::string &error) {
    const unsigned bits = layout.bits;
    if (bits == 1 || bits == 4 || bits == 8) {
        const std::uint32_t entries = 1u << bits;
        if (layout.coloursUsed == 0 || layout.coloursUsed > entries) layout.coloursUsed = entries;
        if (layout.tableOffset + std::size_t(layout.coloursUsed) * 4 > size) {
            error = "BMP colour table truncated";
            return false;
        }
        palette.assign(entries, 0);
        for (std::uint32_t i = 0; i < layout.coloursUsed; ++i) {
            const unsigned char *entry = data + layout.tableOffset + 4 * i;
            palette[i] = Surface::rgb(entry[2], entry[1], entry[0]);
        }
        layout.tableOffset += std::size_t(layout.coloursUsed) * 4;
        return true;
    }
    if (bits != 16 && bits != 24 && bits != 32) {
        error = "unsupported BMP bit count " + std::to_string(bits);
        return false;
    }
    return true;
}

// One row of pixels into the surface's row; the depth is chosen once per row.
void decodeRow(const unsigned char *source, long width, unsigned bits,
               const std::vector<std::uint32_t> &palette, const Channel &red, const Channel &green,
               const Channel &blue, std::uint32_t *target) {
    switch (bits) {
        case 1:
            for (long x = 0; x < width; ++x) target[x] = palette[(source[x / 8] >> (7 - x % 8)) & 1u];
            break;
        case 4:
            for (long x = 0; x < width; ++x)
                target[x] = palette[(source[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xFu];
            break;
        case 8:
            for (long x = 0; x < width; ++x) target[x] = palette[source[x]];
            break;
        case 24:
            for (long x = 0; x < width; ++x)
                target[x] = Surface::rgb(source[3 * x + 2], source[3 * x + 1], source[3 * x]);
            break;
        case 16:
            for (long x = 0; x < width; ++x) {
                const std::uint32_t value = read16(source + 2 * x);
                target[x] = Surface::rgb(red.value(value), green.value(value), blue.value(value));
            }
            break;
        default:
            for (long x = 0; x < width; ++x) {
                const std::uint32_t value = read32(source + 4 * x);
                target[x] = Surface::rgb(red.value(value), green.value(value), blue.value(value));
            }
            break;
    }
}

void decodeRows(const unsigned char *pixels, std::size_t stride, const BmpLayout &layout,
                const std::vector<std::uint32_t> &palette, const std::uint32_t masks[3], Surface &surface) {
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    for (long line = 0; line < layout.height; ++line) {
        std::uint32_t *target = surface.row(int(layout.topDown ? line : layout.height - 1 - line));
        decodeRow(pixels + stride * std::size_t(line), layout.width, layout.bits, palette, red, green, blue,
                  target);
    }
}

}  // namespace

std::unique_ptr<Surface> decodeBmp(const unsigned char *data, std::size_t size, std::string &error) {
    BmpLayout layout;
    std::uint32_t masks[3] = {0, 0, 0};
    std::vector<std::uint32_t> palette;
    if (!readHeaders(data, size, layout, error) || !readMasks(data, size, layout, masks, error) ||
        !readPalette(data, size, layout, palette, error))
        return nullptr;
    const std::size_t pixelOffset = layout.pixelOffset != 0 ? layout.pixelOffset : layout.tableOffset;
    const std::size_t stride = ((std::size_t(layout.width) * layout.bits + 31) / 32) * 4;
    if (pixelOffset > size || stride * std::size_t(layout.height) > size - pixelOffset) {
        error = "BMP pixel data truncated";
        return nullptr;
    }
    auto surface = std::make_unique<Surface>(int(layout.width), int(layout.height));
    surface->setBitsPerPixel(layout.bits == 16 ? 16 : 32);
    decodeRows(data + pixelOffset, stride, layout, palette, masks, *surface);
    return surface;
}

}  // namespace sim
