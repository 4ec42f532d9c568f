#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FrameTable.h"
#include "Terminal.h"
#include "TerminalTestSupport.h"

TEST(Terminal, StartsWithNumberedStringLinesAndEmptyState) {
    Terminal terminal(nullptr);
    EXPECT_EQ(terminal.newestLine, 0);
    EXPECT_STREQ(terminal.screenLines[0], "string  0");
    EXPECT_STREQ(terminal.screenLines[41], "string 41");
    EXPECT_STREQ(terminal.editLine, "");
    EXPECT_EQ(terminal.editCount, 0);
    EXPECT_FALSE(terminal.captureKeys);
    for (const char *line : terminal.fileLines) EXPECT_STREQ(line, "");
    EXPECT_EQ(terminal.frameTable.frameCount, 0);
    EXPECT_EQ(terminal.frameTable.selectedFrame, 0);
    for (const FrameSlot &slot : terminal.frameTable.slots) EXPECT_EQ(slot.state, 0);
}

TEST(Terminal, AddLineRingWrapsFromZeroTo41AndOverwritesOldest) {
    Terminal terminal(nullptr);
    terminal.AddLine("first");
    EXPECT_EQ(terminal.newestLine, 41);
    EXPECT_STREQ(terminal.screenLines[41], "first");

    for (int i = 2; i <= 42; ++i) terminal.AddLine(("line " + std::to_string(i)).c_str());
    EXPECT_EQ(terminal.newestLine, 0);
    for (const char *line : terminal.screenLines) EXPECT_NE(std::string(line).rfind("string", 0), 0u) << line;
    EXPECT_EQ(ScreenRow(terminal, 0), "line 42");
    EXPECT_EQ(ScreenRow(terminal, 41), "first");

    terminal.AddLine("line 43");  // overwrites the oldest, "first"
    EXPECT_EQ(terminal.newestLine, 41);
    EXPECT_EQ(ScreenRow(terminal, 0), "line 43");
    EXPECT_EQ(ScreenRow(terminal, 41), "line 2");
}

TEST(Terminal, AddLineCutsLongTextAndTakesNull) {
    Terminal terminal(nullptr);
    std::string longText(300, 'x');
    terminal.AddLine(longText.c_str());
    EXPECT_EQ(ScreenRow(terminal, 0), std::string(109, 'x'));
    terminal.AddLine(nullptr);
    EXPECT_EQ(ScreenRow(terminal, 0), "");
}

TEST(Terminal, KeyTableTypesTheAcceptedCharacters) {
    Terminal terminal(nullptr);
    terminal.captureKeys = true;
    const DWORD keys[] = {OAPI_KEY_1, OAPI_KEY_9, OAPI_KEY_0, OAPI_KEY_Q, OAPI_KEY_P, OAPI_KEY_A, OAPI_KEY_L,
                          OAPI_KEY_SEMICOLON, OAPI_KEY_Z, OAPI_KEY_M, OAPI_KEY_PERIOD, OAPI_KEY_SPACE};
    for (DWORD key : keys) EXPECT_EQ(terminal.ConsumeBufferedKey(key, true), 1) << key;
    EXPECT_STREQ(terminal.editLine, "190QPAL;ZM. ");
    EXPECT_EQ(terminal.editCount, 12);

    // Keys outside the table go on to the panel.
    const DWORD others[] = {OAPI_KEY_ESCAPE, OAPI_KEY_EQUALS, OAPI_KEY_TAB, OAPI_KEY_LBRACKET, OAPI_KEY_COMMA,
                            OAPI_KEY_SLASH, OAPI_KEY_NUMPAD5, OAPI_KEY_NUMPAD0, OAPI_KEY_F1, OAPI_KEY_DELETE, 0xFFFFFFFFu};
    for (DWORD key : others) EXPECT_EQ(terminal.ConsumeBufferedKey(key, true), 0) << key;
    EXPECT_STREQ(terminal.editLine, "190QPAL;ZM. ");
}

TEST(Terminal, KeysActOnlyWhenCapturedAndPressed) {
    Terminal terminal(nullptr);
    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_A, true), 0);
    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_RETURN, true), 0);
    EXPECT_STREQ(terminal.editLine, "");
    EXPECT_EQ(ScreenRow(terminal, 0), "string  0");  // Enter did not execute

    terminal.captureKeys = true;
    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_A, false), 0);
    EXPECT_STREQ(terminal.editLine, "");
}

TEST(Terminal, EditKeysTruncateEraseAndExecute) {
    Terminal terminal(nullptr);
    terminal.captureKeys = true;
    for (DWORD key : {OAPI_KEY_A, OAPI_KEY_D, OAPI_KEY_D}) terminal.ConsumeBufferedKey(key, true);
    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_MINUS, true), 1);
    EXPECT_STREQ(terminal.editLine, "ADD");  // three characters stay

    terminal.AppendText(" 7 210;0;1;2;3;45");  // 20 characters
    ASSERT_EQ(terminal.editCount, 20);
    terminal.ConsumeBufferedKey(OAPI_KEY_MINUS, true);
    EXPECT_STREQ(terminal.editLine, "ADD 7");
    EXPECT_EQ(terminal.editCount, 5);
    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_BACK, true), 1);
    EXPECT_STREQ(terminal.editLine, "ADD ");
    EXPECT_EQ(terminal.editCount, 4);

    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_RETURN, true), 1);
    EXPECT_EQ(ScreenRow(terminal, 1), "ADD ");  // echo, then the missing number message on top
    EXPECT_STREQ(terminal.editLine, "");
    EXPECT_EQ(terminal.editCount, 0);
}

TEST(Terminal, TypingStopsAt91Characters) {
    Terminal terminal(nullptr);
    terminal.captureKeys = true;
    for (int i = 0; i < 120; ++i) terminal.ConsumeBufferedKey(OAPI_KEY_X, true);
    EXPECT_EQ(terminal.editCount, 91);
    EXPECT_EQ(std::string(terminal.editLine), std::string(91, 'X'));
    EXPECT_EQ(terminal.ConsumeBufferedKey(OAPI_KEY_X, true), 1);  // still consumed, just dropped
}

TEST(Terminal, AppendTextIgnoredOver100AndCutAtTheBufferEnd) {
    Terminal terminal(nullptr);
    std::string hundred(100, 'a');
    terminal.AppendText(hundred.c_str());
    std::string record(80, 'r');
    terminal.AppendText(record.c_str());  // 100 characters: still appended, cut to 111
    EXPECT_EQ(terminal.editCount, 111);
    EXPECT_EQ(std::strlen(terminal.editLine), 111u);
    EXPECT_EQ(std::string(terminal.editLine), hundred + std::string(11, 'r'));

    terminal.editLine[101] = '\0';
    terminal.editCount = 101;
    terminal.AppendText("more");  // more than 100: ignored
    EXPECT_EQ(terminal.editCount, 101);
    EXPECT_EQ(std::strlen(terminal.editLine), 101u);
}

TEST(Terminal, BackspaceOnEmptyLineDoesNothing) {
    Terminal terminal(nullptr);
    terminal.Backspace();
    EXPECT_EQ(terminal.editCount, 0);
    EXPECT_STREQ(terminal.editLine, "");
}

TEST(Terminal, ClearScreenKeepsNewestLineAndClearFileEmptiesStoredLines) {
    Terminal terminal(nullptr);
    terminal.AddLine("a");
    terminal.AddLine("b");
    std::strcpy(terminal.fileLines[3], "130;0;0;5;");
    terminal.ClearScreen();
    EXPECT_EQ(terminal.newestLine, 40);
    for (const char *line : terminal.screenLines) EXPECT_STREQ(line, "");
    EXPECT_STREQ(terminal.fileLines[3], "130;0;0;5;");
    terminal.ClearFile();
    for (const char *line : terminal.fileLines) EXPECT_STREQ(line, "");
}

TEST(FrameTable, SchedulesInOrderUntilTheCassetteIsFull) {
    FrameTable table;
    for (int i = 0; i < FrameTable::kSlotCount; ++i) {
        FrameSlot *slot = table.Schedule(43000.0 + i);
        ASSERT_EQ(slot, &table.slots[i]);
        EXPECT_EQ(slot->state, 1);
        EXPECT_EQ(slot->time, 43000.0 + i);
    }
    EXPECT_EQ(table.frameCount, 32);
    EXPECT_EQ(table.Schedule(44000.0), nullptr);
    EXPECT_EQ(table.frameCount, 32);
}
