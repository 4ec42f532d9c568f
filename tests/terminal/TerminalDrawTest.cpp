// The terminal drawn on a simulator surface: what text goes where.
#include <gtest/gtest.h>

#include <algorithm>
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
        DrawingObjects &objects = ModuleDrawingObjects();
        objects.fontSmall = CreateFontA(10, 0, 0, 0, FW_NORMAL, 0, 0, 0, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
        objects.brushBlack = CreateSolidBrush(RGB(0, 0, 0));
        surface = oapiCreateSurface(410, 442);
    }
    void TearDown() override {
        oapiDestroySurface(surface);
        DeleteObject(ModuleDrawingObjects().fontSmall);
        DeleteObject(ModuleDrawingObjects().brushBlack);
        ModuleDrawingObjects() = DrawingObjects{};
    }
    const sim::Surface &Drawn() const { return *sim::surfaceFromHandle(surface); }

    SURFHANDLE surface = nullptr;
};

}  // namespace

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
