// The terminal drawn on a simulator surface: what text goes where.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cstdint>
#include <string>

#include "DrawingObjects.h"
#include "Terminal.h"
#include "gdi/Surface.h"
#include "gdi/SurfaceHandles.h"

namespace {

class TerminalDraw : public ::testing::Test {
protected:
    void SetUp() override {
        CreateModuleDrawingObjects(nullptr);  // as the library's start-up makes them
        surface = oapiCreateSurface(410, 442);
    }
    void TearDown() override {
        oapiDestroySurface(surface);
        ReleaseModuleDrawingObjects();
    }
    const sim::Surface &Drawn() const { return *sim::surfaceFromHandle(surface); }

    SURFHANDLE surface = nullptr;
};

// Rows from the first to the last one with ink of `text` drawn with `font`.
int InkHeight(HFONT font, const char *text) {
    SURFHANDLE area = oapiCreateSurface(60, 40);
    HDC dc = oapiGetDC(area);
    SelectObject(dc, font);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 5, 5, text, int(std::strlen(text)));
    oapiReleaseDC(area, dc);
    const sim::Surface &drawn = *sim::surfaceFromHandle(area);
    int first = -1, last = -1;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixel(x, y) != 0) {
                if (first < 0) first = y;
                last = y;
            }
    oapiDestroySurface(area);
    return first < 0 ? 0 : last - first + 1;
}

}  // namespace

TEST_F(TerminalDraw, TheModulesFontsAreTenAndTwelvePixelsHigh) {
    // A capital with a descender and one with a diaeresis span about the
    // character height (10 and 12 pixels, negative heights in CreateFontA).
    const int small = InkHeight(ModuleDrawingObjects().fontSmall, "ЩЁ");
    const int large = InkHeight(ModuleDrawingObjects().fontLarge, "ЩЁ");
    EXPECT_GE(small, 8);
    EXPECT_LE(small, 11);
    EXPECT_GT(large, small);
    EXPECT_LE(large, 14);
    EXPECT_NE(ModuleDrawingObjects().brushBlack, nullptr);
}

TEST_F(TerminalDraw, EditLineThenScreenNewestFirst) {
    Terminal terminal(nullptr);
    terminal.AddLine("Ответ 1.0");
    terminal.AppendText("PLM 5");
    terminal.Draw(surface);

    const auto &texts = Drawn().texts();
    ASSERT_EQ(texts.size(), 43u);
    EXPECT_EQ(texts[0].x, 3);
    EXPECT_EQ(texts[0].y, 3);
    EXPECT_EQ(texts[0].text, "PLM 5");
    EXPECT_EQ(texts[1].y, 13);
    EXPECT_EQ(texts[1].text, u8"Ответ 1.0");
    EXPECT_EQ(texts[2].text, "string  0");
    EXPECT_EQ(texts[42].y, 423);
    EXPECT_EQ(texts[42].text, "string 40");

    // The text is light grey, blended into the black surface at its edges.
    std::uint32_t brightest = 0;
    for (int y = 13; y < 23; ++y)
        for (int x = 3; x < 60; ++x) brightest = std::max(brightest, Drawn().pixel(x, y));
    EXPECT_GT(brightest, 0x808080u);
    EXPECT_LE(brightest, 0xFAFAFAu);
    EXPECT_EQ(brightest & 0xFF, (brightest >> 8) & 0xFF);
}

TEST_F(TerminalDraw, PromptAndCursorWhileCapturingKeys) {
    Terminal terminal(nullptr);
    terminal.captureKeys = true;
    terminal.AppendText("HLP");
    terminal.Draw(surface);
    EXPECT_EQ(Drawn().texts().front().text, ">HLP|");
}
