// GetDIBits: a bitmap's pixels as a device-independent bitmap.
//
// Supported formats: 16 bits (BI_RGB 5-5-5, or BI_BITFIELDS, answered with
// the 5-5-5 masks), 24 bits (blue, green, red) and 32 bits (BI_RGB, or
// BI_BITFIELDS with the 8-8-8 masks). Rows are padded to 4 bytes; a positive
// biHeight asks for bottom-up rows (the first row in the buffer is the
// bottom line, and `start` counts from the bottom), a negative one for
// top-down rows. The colour table is written only for BI_BITFIELDS (the
// three masks); for BI_RGB at these depths it is left untouched, as GDI does
// (so a 16-bit BI_RGB request leaves a caller's 2^16-entry table as it was).
//
// As Wine's GDI answers: a bitmap describes itself (biBitCount 0) as
// BI_BITFIELDS at its depth, without writing the masks, and returns its
// height; a request for the format alone (no bits) returns 1; a copy returns
// the number of lines that lie within the bitmap.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "gdi/BmpDecoder.h"
#include "gdi/linux/GdiRegistry.h"

using namespace sim::gdi;
using sim::Surface;

namespace {

bool supportedDepth(int bits) { return bits == 16 || bits == 24 || bits == 32; }

std::uint32_t rowBytes(int width, int bits) { return std::uint32_t(((width * bits + 31) / 32) * 4); }

void writeMasks(BITMAPINFO *info, int bits) {
    std::uint32_t masks[3];
    sim::defaultRgbMasks(bits, masks);
    std::memcpy(info->bmiColors, masks, sizeof masks);
}

void convertRow(const std::uint32_t *source, int sourceWidth, int width, int bits, unsigned char *out) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t pixel = x < sourceWidth ? source[x] : 0u;
        const unsigned red = Surface::red(pixel), green = Surface::green(pixel), blue = Surface::blue(pixel);
        if (bits == 32) {
            out[0] = static_cast<unsigned char>(blue);
            out[1] = static_cast<unsigned char>(green);
            out[2] = static_cast<unsigned char>(red);
            out[3] = 0;
            out += 4;
        } else if (bits == 24) {
            out[0] = static_cast<unsigned char>(blue);
            out[1] = static_cast<unsigned char>(green);
            out[2] = static_cast<unsigned char>(red);
            out += 3;
        } else {
            const unsigned value = ((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3);
            out[0] = static_cast<unsigned char>(value & 0xFF);
            out[1] = static_cast<unsigned char>(value >> 8);
            out += 2;
        }
    }
}

}  // namespace

extern "C" {

int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi,
                     UINT usage) {
    Registry &gdi = registry();
    Bitmap *bitmap = gdi.bitmap(hbm);
    if (gdi.context(hdc) == nullptr || bitmap == nullptr || lpbmi == nullptr) return 0;
    BITMAPINFOHEADER &header = lpbmi->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER)) return 0;
    const Surface &surface = bitmap->surface;

    if (lpvBits == nullptr && header.biBitCount == 0) {
        // Describe the bitmap in its own format.
        const int bits = surface.bitsPerPixel() == 16 ? 16 : 32;
        header.biWidth = surface.width();
        header.biHeight = surface.height();
        header.biPlanes = 1;
        header.biBitCount = WORD(bits);
        header.biCompression = BI_BITFIELDS;
        header.biSizeImage = rowBytes(surface.width(), bits) * std::uint32_t(surface.height());
        header.biXPelsPerMeter = 0;
        header.biYPelsPerMeter = 0;
        header.biClrUsed = 0;
        header.biClrImportant = 0;
        return surface.height() > 0 ? surface.height() : 1;
    }

    const int bits = header.biBitCount;
    if (!supportedDepth(bits)) return 0;
    if (header.biCompression == BI_BITFIELDS) {
        if (bits == 24) return 0;
        writeMasks(lpbmi, bits);
    } else if (header.biCompression != BI_RGB) {
        return 0;
    }
    const int width = header.biWidth;
    const bool bottomUp = header.biHeight > 0;
    const int height = bottomUp ? header.biHeight : -header.biHeight;
    if (width <= 0 || height <= 0) return 0;
    const std::uint32_t stride = rowBytes(width, bits);
    header.biSizeImage = stride * std::uint32_t(height);
    if (lpvBits == nullptr) return 1;

    if (start >= UINT(height)) return 0;
    const UINT lines = cLines < UINT(height) - start ? cLines : UINT(height) - start;
    auto *out = static_cast<unsigned char *>(lpvBits);
    int copied = 0;
    for (UINT line = 0; line < lines; ++line) {
        const int scan = int(start + line);
        const int y = bottomUp ? height - 1 - scan : scan;  // bitmap row, from the top
        unsigned char *target = out + std::size_t(line) * stride;
        std::memset(target, 0, stride);
        if (y < surface.height()) {
            convertRow(surface.row(y), surface.width(), width, bits, target);
            ++copied;
        }
    }
    return copied;
}

}  // extern "C"
