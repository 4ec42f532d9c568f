#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CommandInterpreter.h"
#include "Terminal.h"
#include "TerminalTestSupport.h"

using Rows = std::vector<std::string>;

TEST(CommandInterpreter, EmptyLineAddsAnEmptyScreenLineOnly) {
    Terminal terminal(nullptr);
    Enter(terminal, "");
    EXPECT_EQ(terminal.newestLine, 41);
    EXPECT_EQ(ScreenRow(terminal, 0), "");
    EXPECT_EQ(ScreenRow(terminal, 1), "string  0");
    Enter(terminal, "    ");
    EXPECT_EQ(TopRows(terminal, 2), (Rows{"    ", ""}));
}

TEST(CommandInterpreter, UnknownAndShortCommands) {
    Terminal terminal(nullptr);
    for (const char *command : {"XYZ", "LS", "hlp", " L S T"}) {
        Enter(terminal, command);
        EXPECT_EQ(TopRows(terminal, 2), (Rows{"неизвестная команда <набери HLP>", command})) << command;
    }
}

TEST(CommandInterpreter, OnlyTheFirstThreeCharactersCount) {
    Terminal terminal(nullptr);
    std::strcpy(terminal.fileLines[9], "nine");
    Enter(terminal, "   LSTX  whatever");
    EXPECT_EQ(ScreenRow(terminal, 0), "9|nine|");
    EXPECT_EQ(ScreenRow(terminal, 10), "   LSTX  whatever");
}

TEST(CommandInterpreter, CommandHelpInItsOrder) {
    Terminal terminal(nullptr);
    Enter(terminal, "HLP");
    EXPECT_EQ(TopRows(terminal, 10), (Rows{
                                         "HLR - справка по командной строке",
                                         "HLP - данная справка",
                                         "CLS - очистка экрана",
                                         "CLF - очистка файла",
                                         "LST - отображение файла",
                                         "    DDD - данные или пусто",
                                         "    X - номер строки",
                                         "    формат ADD X DDDD",
                                         "ADD - записать строку в файл",
                                         "HLP",
                                     }));
}

TEST(CommandInterpreter, KeyHelpInItsOrder) {
    Terminal terminal(nullptr);
    Enter(terminal, "HLR");
    EXPECT_EQ(TopRows(terminal, 5), (Rows{
                                        "Минус - стереть всю строку кроме 5 символов",
                                        "Забой <- - стереть последний символ",
                                        "Enter - Исплнение",
                                        "a-z0-9.;пробел - допустимый ввод",
                                        "HLR",
                                    }));
}

TEST(CommandInterpreter, ListShowsTheTenStoredLinesLineNineOnTop) {
    Terminal terminal(nullptr);
    std::strcpy(terminal.fileLines[0], "210;-0.00001;0.5000;0.5000;0.7071;");
    std::strcpy(terminal.fileLines[9], "130;-0.00347;0;12.0000;");
    Enter(terminal, "LST");
    EXPECT_EQ(TopRows(terminal, 11), (Rows{"9|130;-0.00347;0;12.0000;|", "8||", "7||", "6||", "5||", "4||", "3||",
                                           "2||", "1||", "0|210;-0.00001;0.5000;0.5000;0.7071;|", "LST"}));
}

TEST(CommandInterpreter, ListCutsFullStoredLinesToTheScreenWidth) {
    Terminal terminal(nullptr);
    std::memset(terminal.fileLines[0], '7', 109);
    terminal.fileLines[0][109] = '\0';
    Enter(terminal, "LST");
    EXPECT_EQ(ScreenRow(terminal, 9), "0|" + std::string(107, '7'));
}

TEST(CommandInterpreter, ClsLeavesTheScreenEntirelyEmpty) {
    Terminal terminal(nullptr);
    Enter(terminal, "HLP");
    Enter(terminal, "CLS");
    for (const char *line : terminal.screenLines) EXPECT_STREQ(line, "");
}

TEST(CommandInterpreter, ClfEmptiesTheStoredLines) {
    Terminal terminal(nullptr);
    Enter(terminal, "ADD 2 600;0;1;0;0;");
    Enter(terminal, "CLF");
    for (const char *line : terminal.fileLines) EXPECT_STREQ(line, "");
    EXPECT_EQ(ScreenRow(terminal, 0), "CLF");
}

TEST(CommandInterpreter, AddStoresReplacesAndEmpties) {
    Terminal terminal(nullptr);
    Enter(terminal, "ADD 9 130;-0.5;0;3.5;");
    EXPECT_STREQ(terminal.fileLines[9], "130;-0.5;0;3.5;");
    EXPECT_EQ(ScreenRow(terminal, 0), "ADD 9 130;-0.5;0;3.5;");  // nothing shown on success

    Enter(terminal, "ADD   4   first   ignored");
    EXPECT_STREQ(terminal.fileLines[4], "first");
    Enter(terminal, "ADD 4 second");
    EXPECT_STREQ(terminal.fileLines[4], "second");
    Enter(terminal, "ADD 4");
    EXPECT_STREQ(terminal.fileLines[4], "");
}

TEST(CommandInterpreter, AddLineNumberRules) {
    Terminal terminal(nullptr);
    Enter(terminal, "ADD Q nonnumber");  // not a number: line 0
    EXPECT_STREQ(terminal.fileLines[0], "nonnumber");
    Enter(terminal, "ADD -3 negative");  // the sign is dropped
    EXPECT_STREQ(terminal.fileLines[3], "negative");
    Enter(terminal, "ADD -9 nine");
    EXPECT_STREQ(terminal.fileLines[9], "nine");

    for (const char *command : {"ADD 10 x", "ADD -10 x", "ADD 99999999999999999999 x", "ADD -2147483648 x",
                                "ADD -99999999999999999999 x"}) {
        Enter(terminal, command);
        EXPECT_EQ(ScreenRow(terminal, 0), "ADD номер строки больше 9") << command;
    }
    Enter(terminal, "ADD");
    EXPECT_EQ(ScreenRow(terminal, 0), "ADD отсутствует номер строки");
    Enter(terminal, "ADD   ");
    EXPECT_EQ(ScreenRow(terminal, 0), "ADD отсутствует номер строки");
    EXPECT_STREQ(terminal.fileLines[1], "");
}

TEST(CommandInterpreter, PhoSchedulesAtTheAbsoluteDateUntilTheCassetteIsFull) {
    Terminal terminal(nullptr);
    Enter(terminal, "PHO -43050.25");
    const FrameSlot &first = terminal.frameTable.slots[0];
    EXPECT_EQ(first.state, 1);
    EXPECT_DOUBLE_EQ(first.time, 43050.25);
    for (double value : first.paramA) EXPECT_EQ(value, 0.0);
    for (double value : first.paramB) EXPECT_EQ(value, 0.0);
    EXPECT_EQ(ScreenRow(terminal, 0), "PHO -43050.25");

    // Frames scheduled by transmitted records share the 32 slots.
    for (int i = 1; i < 20; ++i) terminal.frameTable.Schedule(43051.0);
    for (int i = 20; i < 32; ++i) Enter(terminal, "PHO 43052");
    EXPECT_EQ(terminal.frameTable.frameCount, 32);
    EXPECT_DOUBLE_EQ(terminal.frameTable.slots[31].time, 43052.0);
    Enter(terminal, "PHO 43053");
    EXPECT_EQ(ScreenRow(terminal, 0), "кассета исчерпана");
    EXPECT_EQ(terminal.frameTable.frameCount, 32);

    Enter(terminal, "PHO");
    EXPECT_EQ(ScreenRow(terminal, 0), "отсутствует дата");
}

TEST(CommandInterpreter, ProgramsWithoutControlWord) {
    Terminal terminal(nullptr);
    Enter(terminal, "PLM");
    EXPECT_EQ(ScreenRow(terminal, 0), "PLM отсутствует управляющее слово");
    Enter(terminal, "PIE");
    EXPECT_EQ(ScreenRow(terminal, 0), "PIE отсутствует управляющее слово");
    Enter(terminal, "PLE");
    EXPECT_EQ(ScreenRow(terminal, 0), "PLE отсутствует управляющее слово");
}

TEST(CommandInterpreter, PieAndPleWithControlWordShowOnlyTheEcho) {
    Terminal terminal(nullptr);
    Enter(terminal, "PIE ABC");
    Enter(terminal, "PLE 3");
    EXPECT_EQ(TopRows(terminal, 3), (Rows{"PLE 3", "PIE ABC", "string  0"}));
}

TEST(CommandInterpreter, LongEchoIsCutToTheScreenWidth) {
    Terminal terminal(nullptr);
    std::string typed = "ADD 1 " + std::string(105, '5');  // 111 characters
    Enter(terminal, typed.c_str());
    EXPECT_EQ(ScreenRow(terminal, 0), typed.substr(0, 109));
    EXPECT_EQ(std::string(terminal.fileLines[1]), std::string(105, '5'));
}

namespace {

// A terminal whose PLM program appears to have just run.
void FillPlmResults(Terminal &terminal) {
    PlmProgram &program = terminal.plmProgram;
    std::strcpy(program.resultLines[0], "T 2592000 (43080.50000) R 3500.0 V 2100.0 ");
    std::strcpy(program.resultLines[1], "Д -177.80 Ш -10.20 В -30.0 км Rош 1.2 км");
    std::strcpy(program.resultLines[2], " 3ш dV 1.000 2.000 3.000");
    std::strcpy(program.directionRecord, "210;-0.00001;0.2673;0.5345;0.8018;");
    std::strcpy(program.burnRecord, "130;-0.00347;0;3.7417;");
    std::strcpy(terminal.fileLines[0], "old0");
    std::strcpy(terminal.fileLines[1], "old1");
}

}  // namespace

TEST(CommandInterpreter, PlmOutcomeFollowsTheControlWord) {
    Terminal terminal(nullptr);
    FillPlmResults(terminal);
    CommandInterpreter(terminal).ShowPlmOutcome(-1, 0.0);
    EXPECT_EQ(TopRows(terminal, 2), (Rows{"Ответ 0.0", "string  0"}));

    CommandInterpreter(terminal).ShowPlmOutcome(0, 0.0);
    EXPECT_EQ(TopRows(terminal, 3), (Rows{"Д -177.80 Ш -10.20 В -30.0 км Rош 1.2 км",
                                          "T 2592000 (43080.50000) R 3500.0 V 2100.0 ", "Ответ 0.0"}));
    EXPECT_STREQ(terminal.fileLines[0], "old0");
    EXPECT_STREQ(terminal.fileLines[1], "old1");

    CommandInterpreter(terminal).ShowPlmOutcome(2, 2.0);
    EXPECT_EQ(TopRows(terminal, 4), (Rows{" 3ш dV 1.000 2.000 3.000", "Д -177.80 Ш -10.20 В -30.0 км Rош 1.2 км",
                                          "T 2592000 (43080.50000) R 3500.0 V 2100.0 ", "Ответ 2.0"}));
    EXPECT_STREQ(terminal.fileLines[0], "210;-0.00001;0.2673;0.5345;0.8018;");
    EXPECT_STREQ(terminal.fileLines[1], "130;-0.00347;0;3.7417;");
}

TEST(CommandInterpreter, PlmRecordsGoToTheirLinesAndTheSecondWinsOnTheSameLine) {
    Terminal terminal(nullptr);
    FillPlmResults(terminal);
    terminal.plmProgram.directionRecordLine = 7;
    terminal.plmProgram.burnRecordLine = 7;
    CommandInterpreter(terminal).ShowPlmOutcome(1, 1.0);
    EXPECT_STREQ(terminal.fileLines[7], "130;-0.00347;0;3.7417;");
    EXPECT_STREQ(terminal.fileLines[0], "old0");

    // A line number outside the file stores nothing rather than writing past it.
    terminal.plmProgram.directionRecordLine = 10;
    terminal.plmProgram.burnRecordLine = -1;
    CommandInterpreter(terminal).ShowPlmOutcome(1, 1.0);
    EXPECT_STREQ(terminal.fileLines[0], "old0");
    EXPECT_STREQ(terminal.fileLines[1], "old1");
}
