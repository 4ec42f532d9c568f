// Text: fonts, metrics, alignment, Cyrillic glyphs and text records.
// This file is compiled with Windows-1251 narrow literals, as module code is.
#include <gtest/gtest.h>

#include <cstring>

#include "SurfaceDc.h"

using testsupport::SurfaceDc;

namespace {

HFONT arial(int height, int weight = 10) {
    return CreateFontA(height, 0, 0, 900, weight, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, 0, 0, "Arial");
}

void drawWhite(const SurfaceDc &area, HFONT font, UINT align, int x, int y, const char *text) {
    SelectObject(area.dc, font);
    SetTextAlign(area.dc, align);
    SetBkMode(area.dc, TRANSPARENT);
    SetTextColor(area.dc, RGB(250, 250, 250));
    TextOutA(area.dc, x, y, text, int(std::strlen(text)));
}

TEST(GdiText, CellHeightFollowsTheWindowsHeightRule) {
    SurfaceDc area(10, 10);
    SIZE size{};
    HFONT small = arial(-10);
    SelectObject(area.dc, small);
    ASSERT_TRUE(GetTextExtentPoint32A(area.dc, "MJD", 3, &size));
    EXPECT_EQ(size.cy, 11);  // ascent 9 + descent 2 for a 10-pixel character height
    EXPECT_GT(size.cx, 15);
    EXPECT_LT(size.cx, 30);
    // A positive height is the cell height itself.
    for (int cell : {11, 14, 20, 33}) {
        HFONT font = arial(cell);
        SelectObject(area.dc, font);
        GetTextExtentPoint32A(area.dc, "x", 1, &size);
        EXPECT_NEAR(size.cy, cell, 1) << cell;
        SelectObject(area.dc, small);
        DeleteObject(font);
    }
    // Extents add up: no kerning, whole-pixel advances.
    SIZE a{}, b{}, ab{};
    GetTextExtentPoint32A(area.dc, "AV", 1, &a);
    GetTextExtentPoint32A(area.dc, "V", 1, &b);
    GetTextExtentPoint32A(area.dc, "AV", 2, &ab);
    EXPECT_EQ(ab.cx, a.cx + b.cx);
    GetTextExtentPoint32A(area.dc, "", 0, &size);
    EXPECT_EQ(size.cx, 0);
    // Bold is wider than regular.
    HFONT bold = arial(-10, FW_BOLD);
    SelectObject(area.dc, bold);
    SIZE boldSize{};
    GetTextExtentPoint32A(area.dc, "rrrrtttt", 8, &boldSize);
    SelectObject(area.dc, small);
    GetTextExtentPoint32A(area.dc, "rrrrtttt", 8, &size);
    EXPECT_GT(boldSize.cx, size.cx);
    DeleteObject(bold);
    DeleteObject(small);
}

TEST(GdiText, CyrillicGlyphsSitOnTheBaselineWithCapitalHeight) {
    SurfaceDc area(60, 30);
    HFONT font = arial(-10);
    drawWhite(area, font, TA_LEFT | TA_TOP, 3, 3, "ШЕ");
    RECT box;
    ASSERT_TRUE(area.ink(box));
    // Baseline at 3 + ascent 9 = 12: capitals end on row 11 and stand about
    // 7 pixels high (cap height 0.73 em).
    EXPECT_EQ(box.bottom, 11);
    EXPECT_GE(box.bottom - box.top + 1, 6);
    EXPECT_LE(box.bottom - box.top + 1, 8);
    EXPECT_GE(box.left, 3);
    EXPECT_LE(box.left, 5);
    // Not anti-aliased: every pixel is the text colour or untouched.
    bool full = false, partial = false;
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x) {
            const unsigned level = sim::Surface::red(area.surface().pixel(x, y));
            full = full || level == 250;
            partial = partial || (level > 0 && level < 250);
        }
    EXPECT_TRUE(full);
    EXPECT_FALSE(partial);
    // A descender (р) reaches below the baseline.
    SurfaceDc lower(30, 30);
    drawWhite(lower, font, TA_LEFT | TA_TOP, 3, 3, "р");
    ASSERT_TRUE(lower.ink(box));
    EXPECT_GT(box.bottom, 11);
    EXPECT_LE(box.bottom, 14);
    DeleteObject(font);
}

TEST(GdiText, CentreAndRightAlignmentPlaceTheTextAroundX) {
    HFONT font = arial(-12);
    RECT left, centre, right, baseline;
    SurfaceDc a(200, 40), b(200, 40), c(200, 40), d(200, 40);
    drawWhite(a, font, TA_LEFT | TA_TOP, 100, 5, "ВКС 12");
    drawWhite(b, font, TA_CENTER | TA_TOP, 100, 5, "ВКС 12");
    drawWhite(c, font, TA_RIGHT | TA_TOP, 100, 5, "ВКС 12");
    drawWhite(d, font, TA_LEFT | TA_BASELINE, 100, 20, "ВКС 12");
    ASSERT_TRUE(a.ink(left) && b.ink(centre) && c.ink(right) && d.ink(baseline));
    EXPECT_GE(left.left, 100);
    EXPECT_LE(left.left, 102);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 100.0, 2.0);
    EXPECT_LE(right.right, 99);
    EXPECT_GE(right.right, 96);
    const LONG width = left.right - left.left;
    EXPECT_EQ(centre.right - centre.left, width);
    EXPECT_EQ(right.right - right.left, width);
    EXPECT_EQ(baseline.bottom, 19);  // capitals end just above the baseline y
    EXPECT_EQ(left.top, centre.top);
    DeleteObject(font);
}

// Figures taken from Wine's GDI (Liberation Sans in place of Arial, no font
// smoothing): text extents add up the advances of grey-level hinting,
// drawing moves the pen by those of monochrome hinting, and centred text
// starts at x minus half the extent, rounded down.
TEST(GdiText, ExtentsAdvancesAndCentringAsWineHasThem) {
    HFONT small = arial(-10), large = arial(-12), mfd = arial(-14, FW_NORMAL), hud = arial(-16, FW_BOLD);
    SurfaceDc area(64, 32);
    SIZE size{};
    struct Extent {
        HFONT font;
        const char *text;
        LONG width;
    };
    for (const Extent &extent : {Extent{small, "Вкл", 17}, Extent{small, "ВО", 15}, Extent{small, "s", 5},
                                 Extent{small, "M", 8}, Extent{large, "A", 8}, Extent{large, "s", 6},
                                 Extent{mfd, "H", 10}, Extent{mfd, "^", 7}, Extent{hud, "%", 14}}) {
        SelectObject(area.dc, extent.font);
        ASSERT_TRUE(GetTextExtentPoint32A(area.dc, extent.text, int(std::strlen(extent.text)), &size));
        EXPECT_EQ(size.cx, extent.width) << extent.text;
    }
    RECT box;
    struct Centred {
        const char *text;
        LONG left, right;  // ink, centred on x = 20
    };
    for (const Centred &centred :
         {Centred{"Вкл", 13, 28}, Centred{"ВО", 14, 27}, Centred{"A", 17, 23}, Centred{"0", 17, 22}}) {
        SurfaceDc cell(64, 32);
        drawWhite(cell, small, TA_CENTER | TA_TOP, 20, 2, centred.text);
        ASSERT_TRUE(cell.ink(box));
        EXPECT_EQ(box.left, centred.left) << centred.text;
        EXPECT_EQ(box.right, centred.right) << centred.text;
    }
    // "st": the "s" adds 5 to the extent but moves the pen by 4 only.
    SurfaceDc s(32, 16), st(32, 16), t(32, 16);
    drawWhite(st, small, TA_LEFT | TA_TOP, 2, 2, "st");
    drawWhite(t, small, TA_LEFT | TA_TOP, 6, 2, "t");
    drawWhite(s, small, TA_LEFT | TA_TOP, 2, 2, "s");
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool inked = s.at(x, y) != RGB(0, 0, 0) || t.at(x, y) != RGB(0, 0, 0);
            EXPECT_EQ(st.at(x, y) != RGB(0, 0, 0), inked) << x << "," << y;
        }
    for (HFONT font : {small, large, mfd, hud}) DeleteObject(font);
}

// Where the font's gasp table asks for grey levels (Liberation Sans Bold from
// 9 pixels) text is smoothed, and blended as Windows blends it; the pixels
// are Wine's for the same drawing. Regular faces of 9 to 17 pixels are not.
TEST(GdiText, SmoothedWhereTheGaspTableAsksAndBlendedAsWineBlends) {
    SurfaceDc area(40, 24);
    area.surface().fill(sim::Surface::rgb(32, 64, 96));
    HFONT bold = arial(-16, FW_BOLD);
    SelectObject(area.dc, bold);
    SetBkMode(area.dc, TRANSPARENT);
    SetTextColor(area.dc, RGB(0, 230, 0));
    TextOutA(area.dc, 2, 2, "HU", 2);
    EXPECT_EQ(area.surface().pixel(3, 4), 0x09E11Cu);
    EXPECT_EQ(area.surface().pixel(5, 4), 0x1AAD4Eu);
    EXPECT_EQ(area.surface().pixel(10, 4), 0x0DDC27u);
    EXPECT_EQ(area.surface().pixel(4, 4), 0x00E600u);  // full level: the text colour
    EXPECT_EQ(area.surface().pixel(1, 4), 0x204060u);  // untouched

    for (int height : {-10, -12, -14, -16}) {
        SurfaceDc plain(60, 24);
        HFONT regular = arial(height, FW_NORMAL);
        drawWhite(plain, regular, TA_LEFT | TA_TOP, 2, 2, "Шаг HUD");
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 60; ++x) {
                const unsigned level = sim::Surface::red(plain.surface().pixel(x, y));
                EXPECT_TRUE(level == 0 || level == 250) << height << " at " << x << "," << y;
            }
        DeleteObject(regular);
    }
    DeleteObject(bold);
}

TEST(GdiText, OpaqueModeFillsTheCellTransparentDoesNot) {
    SurfaceDc area(100, 20);
    HFONT font = arial(-10);
    SelectObject(area.dc, font);
    SetBkMode(area.dc, OPAQUE);
    SetBkColor(area.dc, RGB(0, 0, 200));
    SetTextColor(area.dc, RGB(255, 255, 255));
    TextOutA(area.dc, 10, 2, "..", 2);
    SIZE size{};
    GetTextExtentPoint32A(area.dc, "..", 2, &size);
    EXPECT_EQ(area.at(10, 2), RGB(0, 0, 200));
    EXPECT_EQ(area.at(10 + size.cx - 1, 2 + size.cy - 1), RGB(0, 0, 200));
    EXPECT_EQ(area.at(10 + size.cx, 2), RGB(0, 0, 0));
    EXPECT_EQ(area.at(10, 2 + size.cy), RGB(0, 0, 0));
    SetBkMode(area.dc, TRANSPARENT);
    TextOutA(area.dc, 60, 2, "..", 2);
    EXPECT_EQ(area.at(60, 2), RGB(0, 0, 0));
    DeleteObject(font);
}

TEST(GdiText, TextRecordsKeepPositionAlignmentAndUtf8UntilCleared) {
    SurfaceDc area(100, 50);
    HFONT font = arial(-10);
    drawWhite(area, font, TA_CENTER | TA_TOP, 12, 1, "Вкл");
    drawWhite(area, font, TA_LEFT | TA_TOP, 3, 13, "Кадр 3 Время 1.5");
    TextOutA(area.dc, 0, 0, "abc", 0);  // empty text is recorded as well
    const auto &texts = area.surface().texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].x, 12);
    EXPECT_EQ(texts[0].y, 1);
    EXPECT_EQ(texts[0].align, unsigned(TA_CENTER | TA_TOP));
    EXPECT_EQ(texts[0].text, u8"Вкл");
    EXPECT_EQ(texts[1].text, u8"Кадр 3 Время 1.5");
    EXPECT_EQ(texts[2].text, "");
    // Only the first c bytes count.
    TextOutA(area.dc, 0, 0, "ВКС;1;2", 3);
    EXPECT_EQ(area.surface().texts().back().text, u8"ВКС");
    area.surface().clearTexts();
    EXPECT_TRUE(area.surface().texts().empty());
    // Records are bounded: the oldest go first.
    for (std::size_t i = 0; i < sim::Surface::maxTextRecords + 5; ++i) TextOutA(area.dc, int(i), 0, "", 0);
    EXPECT_EQ(area.surface().texts().size(), sim::Surface::maxTextRecords);
    EXPECT_EQ(area.surface().texts().front().x, 5);
    EXPECT_FALSE(TextOutA(area.dc, 0, 0, nullptr, 3));
    DeleteObject(font);
}

TEST(GdiText, FullWindows1251RangeConvertsToUtf8) {
    SurfaceDc area(10, 10);
    const char bytes[] = {'\xA8', '\xB8', '\xB9', '\x96', '\x88', '\xFF'};
    TextOutA(area.dc, 0, 0, bytes, 6);
    EXPECT_EQ(area.surface().texts().back().text, u8"Ёё№–€я");
}

}  // namespace
