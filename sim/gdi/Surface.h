// A drawing surface of the simulator: a rectangle of 32-bit pixels that GDI
// device contexts draw on, plus a record of every text drawn on it.
//
// Pixel format
// ------------
// One uint32_t per pixel, rows stored top-down (row 0 is the top line), no
// padding: pixel (x, y) is pixels()[y * width() + x]. The value is
// 0x00RRGGBB: on a little-endian machine the bytes in memory are blue, green,
// red, 0, exactly a row of a 32-bit BI_RGB DIB. The top byte is always 0.
// Note that this is NOT a COLORREF (0x00BBGGRR): convert with
// fromColorref() / toColorref().
//
// A surface also carries the colour depth that GDI reports for it
// (bitsPerPixel: 32, or 16 for a bitmap loaded from a 16-bit 5-5-5 BMP).
// Pixels are always stored with 8 bits per channel; the depth matters only
// when a bitmap describes itself (GetObjectA) or a compatible bitmap is made.
//
// Text records
// ------------
// Every TextOutA on a device context drawing on the surface is also kept as
// a TextRecord: the reference point and alignment as passed and the text in
// UTF-8. They stay until clearTexts() (the panel calls it when an area is
// redrawn from its background), so a runner can print what a surface shows.
// At most maxTextRecords are kept; beyond that the oldest are dropped.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace sim {

class Surface {
public:
    struct TextRecord {
        int x = 0;
        int y = 0;
        unsigned align = 0;  // TA_* flags as set on the device context
        std::string text;    // UTF-8
    };

    static constexpr std::size_t maxTextRecords = 4096;

    // A width x height surface filled with `fill` (0x00RRGGBB). Negative
    // sizes count as 0.
    Surface(int width, int height, std::uint32_t fill = 0);
    // A surface holding a copy of `pixels` (top-down rows, width x height,
    // 0x00RRGGBB; the top byte is cleared).
    Surface(int width, int height, const std::uint32_t *pixels);

    int width() const { return surfaceWidth; }
    int height() const { return surfaceHeight; }
    int bitsPerPixel() const { return depth; }
    void setBitsPerPixel(int bits) { depth = bits; }

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < surfaceWidth && y < surfaceHeight; }
    // Unchecked access: (x, y) must lie inside.
    std::uint32_t pixel(int x, int y) const { return pixelData[std::size_t(y) * surfaceWidth + x]; }
    // Checked access: outside the surface setPixel does nothing and
    // pixelOr returns `outside`.
    std::uint32_t pixelOr(int x, int y, std::uint32_t outside) const {
        return contains(x, y) ? pixel(x, y) : outside;
    }
    void setPixel(int x, int y, std::uint32_t colour) {
        if (contains(x, y)) pixelData[std::size_t(y) * surfaceWidth + x] = colour & 0x00FFFFFFu;
    }
    std::uint32_t *row(int y) { return pixelData.data() + std::size_t(y) * surfaceWidth; }
    const std::uint32_t *row(int y) const { return pixelData.data() + std::size_t(y) * surfaceWidth; }
    std::uint32_t *pixels() { return pixelData.data(); }
    const std::uint32_t *pixels() const { return pixelData.data(); }

    void fill(std::uint32_t colour);
    // Fills x in [left, right), y in [top, bottom), clipped to the surface.
    void fillRect(int left, int top, int right, int bottom, std::uint32_t colour);
    // Copies the width x height block of `source` at (sourceX, sourceY) to
    // (x, y), clipped against both surfaces. The source may be this surface.
    void copyFrom(const Surface &source, int sourceX, int sourceY, int width, int height, int x, int y);

    const std::deque<TextRecord> &texts() const { return textRecords; }
    void addText(int x, int y, unsigned align, std::string utf8);
    void clearTexts() { textRecords.clear(); }

    static constexpr std::uint32_t rgb(unsigned red, unsigned green, unsigned blue) {
        return ((red & 0xFFu) << 16) | ((green & 0xFFu) << 8) | (blue & 0xFFu);
    }
    static constexpr unsigned red(std::uint32_t pixel) { return (pixel >> 16) & 0xFFu; }
    static constexpr unsigned green(std::uint32_t pixel) { return (pixel >> 8) & 0xFFu; }
    static constexpr unsigned blue(std::uint32_t pixel) { return pixel & 0xFFu; }
    // COLORREF (0x00BBGGRR) <-> pixel (0x00RRGGBB).
    static constexpr std::uint32_t fromColorref(std::uint32_t colorref) {
        return rgb(colorref & 0xFFu, (colorref >> 8) & 0xFFu, (colorref >> 16) & 0xFFu);
    }
    static constexpr std::uint32_t toColorref(std::uint32_t pixel) {
        return red(pixel) | (green(pixel) << 8) | (blue(pixel) << 16);
    }

private:
    int surfaceWidth;
    int surfaceHeight;
    int depth = 32;
    std::vector<std::uint32_t> pixelData;
    std::deque<TextRecord> textRecords;
};

}  // namespace sim
