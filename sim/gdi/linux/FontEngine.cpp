#include "gdi/linux/FontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_GASP_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "gdi/Cp1251.h"

#ifndef OKUL_FONT_DIR
#define OKUL_FONT_DIR "/usr/share/fonts/truetype/liberation2"
#endif

namespace sim::gdi {

namespace {

constexpr int defaultCharacterHeight = 12;

[[noreturn]] void fontFailure(const std::string &path, int error) {
    std::fprintf(stderr,
                 "okulsim: cannot load the font file %s (FreeType error %d). Install the package "
                 "fonts-liberation2 or point the environment variable OKUL_FONT_DIR to a folder holding "
                 "LiberationSans-*.ttf.\n",
                 path.c_str(), error);
    std::abort();
}

}  // namespace

std::string fontFile(bool bold, bool italic) {
    const char *folder = std::getenv("OKUL_FONT_DIR");
    std::string path = (folder != nullptr && *folder != '\0') ? folder : OKUL_FONT_DIR;
    const char *style = bold ? (italic ? "BoldItalic" : "Bold") : (italic ? "Italic" : "Regular");
    return path + "/LiberationSans-" + style + ".ttf";
}

FontInstance::FontInstance(FT_Library library, FT_Face face, int ascent, int descent, bool smoothed)
    : library(library), face(face), fontAscent(ascent), fontDescent(descent), smoothed(smoothed) {}

FontInstance::~FontInstance() { FT_Done_Face(face); }

// As Windows draws TrueType text with its standard font smoothing (Wine,
// the reference, with its default settings). The font's gasp table says per
// size whether glyphs are smoothed: where it asks for grey levels they are
// (17 levels), elsewhere they are filled without anti-aliasing; Liberation
// Sans Regular asks for none from 9 to 17 pixels, which covers
// every regular font of the console and the simulator, but its bold face
// asks for them from 9 pixels on (the HUD's 16-pixel bold is smoothed).
//
// A monochrome glyph is hinted for monochrome output, a smoothed one
// ordinarily; either is filled into its box, whose top and bottom are held
// within the font's ascent and descent. Drawing moves the pen by the advance
// of the glyph drawn; text extents (and so the placement of centred and
// right-aligned text) add up the advances of ordinary hinting, which for a
// monochrome glyph can differ by a pixel. Advances are rounded up to whole
// pixels.
const Glyph &FontInstance::glyph(unsigned char cp1251Byte) {
    Glyph &glyph = glyphs[cp1251Byte];
    if (glyph.loaded) return glyph;
    glyph.loaded = true;
    const FT_UInt index = FT_Get_Char_Index(face, cp1251ToUnicode(cp1251Byte));
    if (FT_Load_Glyph(face, index,
                      FT_LOAD_DEFAULT | FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH | FT_LOAD_NO_BITMAP) != 0)
        return glyph;
    glyph.extent = int((face->glyph->metrics.horiAdvance + 63) >> 6);
    if (!smoothed &&
        FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO | FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH) != 0)
        return glyph;
    FT_GlyphSlot slot = face->glyph;
    glyph.advance = int((slot->metrics.horiAdvance + 63) >> 6);
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return glyph;
    const FT_Glyph_Metrics &metrics = slot->metrics;
    const FT_Pos top = std::min<FT_Pos>(metrics.horiBearingY, FT_Pos(fontAscent) * 64);
    const FT_Pos bottom = std::max<FT_Pos>(metrics.horiBearingY - metrics.height, -FT_Pos(fontDescent) * 64);
    const FT_Pos left = metrics.horiBearingX & -64, right = (metrics.horiBearingX + metrics.width + 63) & -64;
    const FT_Pos boxTop = (top + 63) & -64, boxBottom = bottom & -64;
    if (right <= left || boxTop <= boxBottom) return glyph;
    glyph.left = int(left >> 6);
    glyph.top = int(boxTop >> 6);
    glyph.width = int((right - left) >> 6);
    glyph.rows = int((boxTop - boxBottom) >> 6);
    const int pitch = smoothed ? (glyph.width + 3) / 4 * 4 : (glyph.width + 7) / 8;
    std::vector<unsigned char> bits(std::size_t(pitch) * glyph.rows, 0);
    FT_Bitmap bitmap;
    FT_Bitmap_Init(&bitmap);
    bitmap.width = unsigned(glyph.width);
    bitmap.rows = unsigned(glyph.rows);
    bitmap.pitch = pitch;
    bitmap.pixel_mode = smoothed ? FT_PIXEL_MODE_GRAY : FT_PIXEL_MODE_MONO;
    bitmap.num_grays = 256;
    bitmap.buffer = bits.data();
    FT_Outline_Translate(&slot->outline, -left, -boxBottom);
    if (FT_Outline_Get_Bitmap(library, &slot->outline, &bitmap) != 0) {
        glyph.width = glyph.rows = 0;
        return glyph;
    }
    glyph.levels.resize(std::size_t(glyph.width) * glyph.rows);
    for (int y = 0; y < glyph.rows; ++y) {
        const unsigned char *source = bits.data() + std::ptrdiff_t(y) * pitch;
        std::uint8_t *target = glyph.levels.data() + std::size_t(y) * glyph.width;
        for (int x = 0; x < glyph.width; ++x)
            target[x] = smoothed ? std::uint8_t(source[x] * (Glyph::kFullLevel + 1) / 256)
                                 : std::uint8_t(((source[x / 8] >> (7 - x % 8)) & 1u) * Glyph::kFullLevel);
    }
    return glyph;
}

int FontInstance::textWidth(const char *text, int length) {
    int width = 0;
    for (int i = 0; i < length; ++i) width += glyph(static_cast<unsigned char>(text[i])).extent;
    return width;
}

namespace {

// What a glyph level does to one colour channel, as Windows blends smoothed
// text (the intensities of the 17 levels measured on Windows, as Wine has
// them): the channel moves from the background towards the text colour, by
// a share that depends on which of the two is brighter.
constexpr std::uint8_t kLevelIntensity[Glyph::kFullLevel + 1] = {
    0, 0x4d, 0x68, 0x7c, 0x8c, 0x9a, 0xa7, 0xb2, 0xbd, 0xc7, 0xd0, 0xd9, 0xe1, 0xe9, 0xf0, 0xf8, 0xff};

unsigned blendChannel(unsigned under, unsigned text, unsigned level) {
    if (under == text) return under;
    if (under > text) {
        const unsigned brightest = kLevelIntensity[Glyph::kFullLevel - level] +
                                   (0xFFu - kLevelIntensity[Glyph::kFullLevel - level]) * text / 0xFFu;
        return text + (under - text) * (brightest - text) / (0xFFu - text);
    }
    const unsigned darkest = kLevelIntensity[level] * text / 0xFFu;
    return text - (text - under) * (text - darkest) / text;
}

std::uint32_t blend(std::uint32_t under, std::uint32_t text, unsigned level) {
    return Surface::rgb(blendChannel(Surface::red(under), Surface::red(text), level),
                        blendChannel(Surface::green(under), Surface::green(text), level),
                        blendChannel(Surface::blue(under), Surface::blue(text), level));
}

}  // namespace

void FontInstance::draw(Surface &surface, int x, int baseline, const char *text, int length,
                        std::uint32_t colour) {
    colour &= 0x00FFFFFFu;
    int penX = x;
    for (int i = 0; i < length; ++i) {
        const Glyph &glyph = this->glyph(static_cast<unsigned char>(text[i]));
        const int left = penX + glyph.left;
        const int top = baseline - glyph.top;
        penX += glyph.advance;
        const int firstColumn = std::max(0, -left),
                  lastColumn = std::min(glyph.width, surface.width() - left);
        const int firstRow = std::max(0, -top), lastRow = std::min(glyph.rows, surface.height() - top);
        for (int row = firstRow; row < lastRow; ++row) {
            const std::uint8_t *levels = glyph.levels.data() + std::size_t(row) * glyph.width;
            std::uint32_t *target = surface.row(top + row) + left;
            for (int column = firstColumn; column < lastColumn; ++column) {
                // The two faintest levels leave the pixel, the full one sets it.
                const unsigned level = levels[column];
                if (level <= 1) continue;
                target[column] = level >= Glyph::kFullLevel ? colour : blend(target[column], colour, level);
            }
        }
    }
}

FontEngine::~FontEngine() {
    instances.clear();
    if (library != nullptr) FT_Done_FreeType(library);
}

FontInstance &FontEngine::instance(int height, int weight, bool italic) {
    const bool bold = weight >= 600;
    const int style = (bold ? 1 : 0) + (italic ? 2 : 0);
    if (height == 0) height = -defaultCharacterHeight;
    auto found = instances.find({style, height});
    if (found != instances.end()) return *found->second;

    if (library == nullptr) {
        const FT_Error error = FT_Init_FreeType(&library);
        if (error != 0) fontFailure("(FreeType initialisation)", error);
    }
    const std::string path = fontFile(bold, italic);
    FT_Face face = nullptr;
    const FT_Error error = FT_New_Face(library, path.c_str(), 0, &face);
    if (error != 0) fontFailure(path, error);

    // Windows measures fonts by the OS/2 table's Windows ascent and descent;
    // the sizes are worked out in FreeType's fixed point as Windows (and
    // Wine) do. A negative height is the em (character) height in pixels, a
    // positive one the cell height, ascent plus descent, not exceeded.
    FT_Long unitsAscent = face->ascender, unitsDescent = -face->descender;
    if (auto *os2 = static_cast<TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
        const FT_Long windowsDescent = std::abs(FT_Long(FT_Short(os2->usWinDescent)));
        if (os2->usWinAscent + windowsDescent > 0) {
            unitsAscent = os2->usWinAscent;
            unitsDescent = windowsDescent;
        }
    }
    const FT_Long unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048;
    FT_Long ppem = -height;
    if (height > 0) {
        const FT_Long cell = unitsAscent + unitsDescent;
        ppem = FT_MulDiv(unitsPerEm, height, cell);
        if (ppem > 1 && FT_MulDiv(cell, ppem, unitsPerEm) > height) --ppem;
    }
    ppem = std::max<FT_Long>(1, std::min<FT_Long>(ppem, 0xFFFF));
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(ppem));
    const FT_Fixed emScale = FT_MulDiv(ppem, 1 << 16, unitsPerEm);
    const int ascent = int(FT_MulFix(unitsAscent, emScale));
    const int descent = int(FT_MulFix(unitsDescent, emScale));
    // Smoothed unless the gasp table (when there is one) says otherwise.
    const FT_Int gasp = FT_Get_Gasp(face, FT_UInt(ppem));
    const bool smoothed = gasp == FT_GASP_NO_TABLE || (gasp & FT_GASP_DO_GRAY) != 0;
    auto created = std::make_unique<FontInstance>(library, face, ascent, descent, smoothed);
    FontInstance &result = *created;
    instances.emplace(std::make_tuple(style, height), std::move(created));
    return result;
}

}  // namespace sim::gdi
