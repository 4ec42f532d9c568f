#include "gdi/linux/FontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
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

FontInstance::FontInstance(FT_Face face, int ascent, int descent)
    : face(face), fontAscent(ascent), fontDescent(descent) {}

FontInstance::~FontInstance() { FT_Done_Face(face); }

const Glyph &FontInstance::glyph(unsigned char cp1251Byte) {
    Glyph &glyph = glyphs[cp1251Byte];
    if (glyph.loaded) return glyph;
    glyph.loaded = true;
    const FT_UInt index = FT_Get_Char_Index(face, cp1251ToUnicode(cp1251Byte));
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) return glyph;
    FT_GlyphSlot slot = face->glyph;
    glyph.advance = int((slot->advance.x + 32) >> 6);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return glyph;
    const FT_Bitmap &bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = int(bitmap.width);
    glyph.rows = int(bitmap.rows);
    glyph.coverage.resize(std::size_t(glyph.width) * glyph.rows);
    for (int y = 0; y < glyph.rows; ++y) {
        const unsigned char *source = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
        std::copy(source, source + glyph.width, glyph.coverage.begin() + std::ptrdiff_t(y) * glyph.width);
    }
    return glyph;
}

int FontInstance::textWidth(const char *text, int length) {
    int width = 0;
    for (int i = 0; i < length; ++i) width += glyph(static_cast<unsigned char>(text[i])).advance;
    return width;
}

namespace {

// under + (over - under) * alpha / 255 for each channel, rounded, with red
// and blue computed side by side in one word.
inline std::uint32_t blend(std::uint32_t under, std::uint32_t over, std::uint32_t alpha) {
    const std::uint32_t inverse = 255 - alpha;
    std::uint32_t redBlue = (under & 0x00FF00FFu) * inverse + (over & 0x00FF00FFu) * alpha + 0x00800080u;
    redBlue = ((redBlue + ((redBlue >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    std::uint32_t green = ((under >> 8) & 0xFFu) * inverse + ((over >> 8) & 0xFFu) * alpha + 0x80u;
    green = ((green + (green >> 8)) >> 8) & 0xFFu;
    return redBlue | (green << 8);
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
        const int firstColumn = std::max(0, -left), lastColumn = std::min(glyph.width, surface.width() - left);
        const int firstRow = std::max(0, -top), lastRow = std::min(glyph.rows, surface.height() - top);
        for (int row = firstRow; row < lastRow; ++row) {
            const std::uint8_t *coverage = glyph.coverage.data() + std::size_t(row) * glyph.width;
            std::uint32_t *target = surface.row(top + row) + left;
            for (int column = firstColumn; column < lastColumn; ++column) {
                const std::uint32_t alpha = coverage[column];
                if (alpha == 0) continue;
                target[column] = alpha == 255 ? colour : blend(target[column], colour, alpha);
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

    // Windows measures fonts by the OS/2 table's Windows ascent and descent.
    double unitsAscent = face->ascender, unitsDescent = -face->descender;
    if (auto *os2 = static_cast<TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
        if (os2->usWinAscent + os2->usWinDescent > 0) {
            unitsAscent = os2->usWinAscent;
            unitsDescent = os2->usWinDescent;
        }
    }
    const double unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048.0;
    // Negative heights give the em (character) height, positive ones the
    // cell height, ascent plus descent.
    const double em = height < 0 ? -double(height) : height * unitsPerEm / (unitsAscent + unitsDescent);
    FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(em * 64.0)), 72, 72);
    const int ascent = int(std::lround(unitsAscent * em / unitsPerEm));
    const int descent = int(std::lround(unitsDescent * em / unitsPerEm));
    auto created = std::make_unique<FontInstance>(face, ascent, descent);
    FontInstance &result = *created;
    instances.emplace(std::make_tuple(style, height), std::move(created));
    return result;
}

}  // namespace sim::gdi
