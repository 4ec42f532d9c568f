#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Terminal.h"

namespace {

std::string Row(const Terminal &terminal, int row) {
    return terminal.screenLines[(terminal.newestLine + row) % Terminal::kScreenLineCount];
}

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
    EXPECT_EQ(Row(terminal, 0), "line 42");
    EXPECT_EQ(Row(terminal, 41), "line 1");

    terminal.AddLine(std::string(300, 'x').c_str());  // the 43rd replaces "line 1", cut to 109
    EXPECT_EQ(Row(terminal, 0), std::string(109, 'x'));
    EXPECT_EQ(Row(terminal, 41), "line 2");

    terminal.ClearScreen();
    EXPECT_EQ(terminal.newestLine, 41);
    for (const char *line : terminal.screenLines) EXPECT_STREQ(line, "");
}

TEST(Terminal, KeyTableTypesOnlyCapturedPresses) {
    Terminal terminal(nullptr);
    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_A, true), 0);  // capture off: to the panel
    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_RETURN, true), 0);
    EXPECT_EQ(Row(terminal, 0), "string  0");

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
    EXPECT_EQ(Row(terminal, 1), "ADD ");  // the echo, under the command's message
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
