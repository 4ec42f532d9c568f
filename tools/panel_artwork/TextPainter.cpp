#include "TextPainter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// Decodes UTF-8; malformed bytes come out as U+FFFD.
std::vector<char32_t> Decode(const std::string &text) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = text[i];
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= text.size()) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char n = text[i + k];
            if ((n & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (n & 0x3F);
        }
        out.push_back(ok ? cp : 0xFFFD);
        i += ok ? extra + 1 : 1;
    }
    return out;
}

}  // namespace

TextPainter::~TextPainter() {
    if (regular) FT_Done_Face(regular);
    if (bold) FT_Done_Face(bold);
    if (library) FT_Done_FreeType(library);
}

bool TextPainter::Open(const std::string &fontDirectory) {
    if (FT_Init_FreeType(&library)) {
        std::fprintf(stderr, "FreeType could not be initialised\n");
        return false;
    }
    const std::string regularPath = fontDirectory + "/LiberationSans-Regular.ttf";
    const std::string boldPath = fontDirectory + "/LiberationSans-Bold.ttf";
    if (FT_New_Face(library, regularPath.c_str(), 0, &regular)) {
        std::fprintf(stderr, "cannot load font %s\n", regularPath.c_str());
        return false;
    }
    if (FT_New_Face(library, boldPath.c_str(), 0, &bold)) {
        std::fprintf(stderr, "cannot load font %s\n", boldPath.c_str());
        return false;
    }
    return true;
}

FT_FaceRec_ *TextPainter::Select(const TextStyle &style) {
    FT_Face face = style.weight == Weight::Bold ? bold : regular;
    FT_Set_Pixel_Sizes(face, 0, style.pixelSize);
    return face;
}

float TextPainter::CapHeight(const TextStyle &style) {
    FT_Face face = Select(style);
    if (FT_Load_Char(face, 'H', FT_LOAD_DEFAULT)) return style.pixelSize * 0.7f;
    return face->glyph->metrics.horiBearingY / 64.0f;
}

float TextPainter::Measure(const std::string &text, const TextStyle &style) {
    FT_Face face = Select(style);
    float width = 0;
    const std::vector<char32_t> codes = Decode(text);
    for (size_t i = 0; i < codes.size(); ++i) {
        if (FT_Load_Char(face, codes[i], FT_LOAD_DEFAULT)) continue;
        width += face->glyph->advance.x / 64.0f;
        if (i + 1 < codes.size()) width += style.letterSpacing;
    }
    return width;
}

void TextPainter::Draw(Canvas &canvas, const std::string &text, float x, float baseline, Align align,
                       const TextStyle &style, Color colour, float alpha) {
    const float width = Measure(text, style);
    float pen = align == Align::Left ? x : align == Align::Centre ? x - width / 2 : x - width;
    pen = std::round(pen);
    const int base = int(std::round(baseline));
    FT_Face face = Select(style);
    for (char32_t code : Decode(text)) {
        if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT)) continue;
        const FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap &bitmap = glyph->bitmap;
        const int left = int(std::round(pen)) + glyph->bitmap_left;
        const int top = base - glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const unsigned char cover = bitmap.buffer[row * bitmap.pitch + col];
                if (cover) canvas.Blend(left + int(col), top + int(row), colour, alpha * cover / 255.0f);
            }
        pen += glyph->advance.x / 64.0f + style.letterSpacing;
    }
}
