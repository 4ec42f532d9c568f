// Fonts of the drawing layer: FreeType faces of Liberation Sans (metric
// compatible with Arial) at the pixel sizes GDI fonts ask for, with a glyph
// cache per size indexed by the Windows-1251 byte, so that drawing text costs
// one cached glyph per character. Text is drawn as Windows draws TrueType
// text with its standard font smoothing (see FontEngine.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "gdi/Surface.h"

typedef struct FT_LibraryRec_ *FT_Library;
typedef struct FT_FaceRec_ *FT_Face;

namespace sim::gdi {

// A rendered glyph: the level of each pixel, from 0 (left as it is) to
// kFullLevel (set to the text colour), rows top-down. A glyph drawn without
// smoothing has the two extremes only.
struct Glyph {
    static constexpr int kFullLevel = 16;

    bool loaded = false;
    int left = 0;  // from the pen position to the first column
    int top = 0;   // from the baseline up to the first row
    int width = 0;
    int rows = 0;
    int advance = 0;  // how far drawing moves the pen, whole pixels
    int extent = 0;   // what the glyph adds to a text extent, whole pixels
    std::vector<std::uint8_t> levels;
};

// One face at one size.
class FontInstance {
public:
    FontInstance(FT_Library library, FT_Face face, int ascent, int descent, bool smoothed);
    ~FontInstance();
    FontInstance(const FontInstance &) = delete;
    FontInstance &operator=(const FontInstance &) = delete;

    // Windows text metrics: ascent above and descent below the baseline;
    // the cell height is their sum.
    int ascent() const { return fontAscent; }
    int descent() const { return fontDescent; }
    int cellHeight() const { return fontAscent + fontDescent; }

    const Glyph &glyph(unsigned char cp1251Byte);
    // The extent of `length` Windows-1251 bytes: the sum of their extents.
    int textWidth(const char *text, int length);
    // Draws the glyphs in `colour` (0x00RRGGBB) with the pen starting at
    // (x, baseline), clipped to the surface.
    void draw(Surface &surface, int x, int baseline, const char *text, int length, std::uint32_t colour);

private:
    FT_Library library;
    FT_Face face;
    int fontAscent;
    int fontDescent;
    bool smoothed;  // grey levels, as the font's gasp table asks at this size
    std::array<Glyph, 256> glyphs;
};

class FontEngine {
public:
    FontEngine() = default;
    ~FontEngine();
    FontEngine(const FontEngine &) = delete;
    FontEngine &operator=(const FontEngine &) = delete;

    // The face for a GDI font height (negative: character height in pixels;
    // positive: cell height; 0: 12 pixels), weight and slant. A font file
    // that cannot be loaded is a broken installation: the process stops with
    // a message naming the file.
    FontInstance &instance(int height, int weight, bool italic);

private:
    FT_Library library = nullptr;
    std::map<std::tuple<int, int>, std::unique_ptr<FontInstance>> instances;  // (style, height)
};

// The font file for a style: Liberation Sans Regular, Bold, Italic or
// BoldItalic in the font folder (compile definition OKUL_FONT_DIR, overridden
// by the environment variable OKUL_FONT_DIR).
std::string fontFile(bool bold, bool italic);

}  // namespace sim::gdi
