// The terminal: its screen ring, keys and edit line, and what it draws on a
// simulator surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "DrawingObjects.h"
#include "ModuleDrawingFixture.h"
#include "SurfaceDc.h"
#include "Terminal.h"
#include "TerminalScreen.h"
#include "gdi/Surface.h"
#include "gdi/SurfaceHandles.h"

using testsupport::ScreenRow;

namespace {

void Press(Terminal &terminal, DWORD key, int times = 1) {
    for (int i = 0; i < times; ++i) terminal.ConsumeBufferedKey(key, true);
}

}  // namespace

TEST(Terminal, ScreenRingWrapsFromZeroTo41AndOverwritesTheOldestLine) {
    Terminal terminal(nullptr);
    EXPECT_STREQ(terminal.screenLines[0], "string  0");
    EXPECT_STREQ(terminal.screenLines[41], "string 41");

    terminal.AddLine("line 1");
    EXPECT_EQ(terminal.newestLine, 41);
    EXPECT_STREQ(terminal.screenLines[41], "line 1");
    for (int i = 2; i <= 42; ++i) terminal.AddLine(("line " + std::to_string(i)).c_str());
    for (const char *line : terminal.screenLines) EXPECT_NE(std::strncmp(line, "string", 6), 0) << line;
    EXPECT_EQ(ScreenRow(terminal, 0), "line 42");
    EXPECT_EQ(ScreenRow(terminal, 41), "line 1");

    terminal.AddLine(std::string(300, 'x').c_str());  // the 43rd replaces "line 1", cut to 109
    EXPECT_EQ(ScreenRow(terminal, 0), std::string(109, 'x'));
    EXPECT_EQ(ScreenRow(terminal, 41), "line 2");

    terminal.ClearScreen();
    EXPECT_EQ(terminal.newestLine, 41);
    for (const char *line : terminal.screenLines) EXPECT_STREQ(line, "");
}

TEST(Terminal, KeyTableTypesOnlyCapturedPresses) {
    Terminal terminal(nullptr);
    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_A, true), 0);  // capture off: to the panel
    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_RETURN, true), 0);
    EXPECT_EQ(ScreenRow(terminal, 0), "string  0");

    terminal.captureKeys = true;
    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_A, false), 0);  // a release never types
    const DWORD keys[] = {OAPI_KEY_1, OAPI_KEY_9, OAPI_KEY_0,      OAPI_KEY_Q,
                          OAPI_KEY_P, OAPI_KEY_A, OAPI_KEY_L,      OAPI_KEY_SEMICOLON,
                          OAPI_KEY_Z, OAPI_KEY_M, OAPI_KEY_PERIOD, OAPI_KEY_SPACE};
    for (DWORD key : keys) EXPECT_EQ(terminal.ConsumeBufferedKey(key, true), 1) << key;
    EXPECT_STREQ(terminal.editLine, "190QPAL;ZM. ");

    const DWORD others[] = {OAPI_KEY_ESCAPE,  OAPI_KEY_EQUALS,  OAPI_KEY_TAB, OAPI_KEY_COMMA,
                            OAPI_KEY_NUMPAD5, OAPI_KEY_NUMPAD0, OAPI_KEY_F1,  0xFFFFFFFFu};
    for (DWORD key : others) EXPECT_EQ(terminal.ConsumeBufferedKey(key, true), 0) << key;
    EXPECT_EQ(terminal.editCount, 12);
}

TEST(Terminal, EditKeysMinusBackspaceAndEnter) {
    Terminal terminal(nullptr);
    terminal.captureKeys = true;
    Press(terminal, OAPI_KEY_BACK);  // on an empty line: nothing
    EXPECT_EQ(terminal.editCount, 0);
    Press(terminal, OAPI_KEY_A);
    Press(terminal, OAPI_KEY_D, 2);
    Press(terminal, OAPI_KEY_MINUS);
    EXPECT_STREQ(terminal.editLine, "ADD");  // three characters stay

    terminal.AppendText(" 7 210;0;1;2;3;45");
    ASSERT_EQ(terminal.editCount, 20);
    Press(terminal, OAPI_KEY_MINUS);
    EXPECT_STREQ(terminal.editLine, "ADD 7");
    EXPECT_EQ(terminal.editCount, 5);
    Press(terminal, OAPI_KEY_BACK);
    EXPECT_STREQ(terminal.editLine, "ADD ");
    EXPECT_EQ(terminal.editCount, 4);

    Press(terminal, OAPI_KEY_RETURN);
    EXPECT_EQ(ScreenRow(terminal, 1), "ADD ");  // the echo, under the command's message
    EXPECT_STREQ(terminal.editLine, "");
    EXPECT_EQ(terminal.editCount, 0);
}

TEST(Terminal, EditLineLimits) {
    Terminal terminal(nullptr);
    terminal.captureKeys = true;
    Press(terminal, OAPI_KEY_X, 120);
    EXPECT_EQ(std::string(terminal.editLine), std::string(91, 'X'));
    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_X, true), 1);  // consumed, dropped

    Terminal composer(nullptr);
    composer.AppendText(std::string(100, 'a').c_str());
    composer.AppendText(std::string(80, 'r').c_str());  // at 100 still appended, cut to 111
    EXPECT_EQ(composer.editCount, 111);
    EXPECT_EQ(std::string(composer.editLine), std::string(100, 'a') + std::string(11, 'r'));

    for (int i = 0; i < 10; ++i) composer.Backspace();  // 101 characters: further text is ignored
    composer.AppendText("more");
    EXPECT_EQ(composer.editCount, 101);
    EXPECT_EQ(std::strlen(composer.editLine), 101u);
}

namespace {

class TerminalDraw : public testsupport::ModuleDrawingFixture {
protected:
    void SetUp() override {
        ModuleDrawingFixture::SetUp();
        surface = oapiCreateSurface(410, 442);
    }
    void TearDown() override {
        oapiDestroySurface(surface);
        ModuleDrawingFixture::TearDown();
    }
    const sim::Surface &Drawn() const { return *sim::surfaceFromHandle(surface); }

    SURFHANDLE surface = nullptr;
};

// Rows from the first to the last one with ink of `text` drawn with `font`.
int InkHeight(HFONT font, const char *text) {
    testsupport::SurfaceDc area(60, 40);
    SelectObject(area.dc, font);
    SetTextColor(area.dc, RGB(255, 255, 255));
    SetBkMode(area.dc, TRANSPARENT);
    TextOutA(area.dc, 5, 5, text, int(std::strlen(text)));
    RECT ink;
    return area.ink(ink) ? ink.bottom - ink.top + 1 : 0;
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
