#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CommandInterpreter.h"
#include "Terminal.h"
#include "TerminalScreen.h"

using testsupport::Enter;
using testsupport::NewestRow;
using testsupport::NewestRows;
using testsupport::Rows;

TEST(CommandInterpreter, EchoAndCommandRecognition) {
    Terminal terminal(nullptr);
    Enter(terminal, "");
    EXPECT_EQ(NewestRows(terminal, 2), (Rows{"", "string  0"}));  // empty line: echo only

    for (const char *command : {"XYZ", "LS", "hlp", " L S T"}) {
        Enter(terminal, command);
        EXPECT_EQ(NewestRows(terminal, 2), (Rows{"неизвестная команда <набери HLP>", command}));
    }
    std::strcpy(terminal.fileLines[9], "nine");
    Enter(terminal, "   LSTX  whatever");  // only the first three characters count
    EXPECT_EQ(NewestRow(terminal), "9|nine|");

    std::string typed = "ADD 1 " + std::string(105, '5');  // 111 characters, echoed cut to 109
    Enter(terminal, typed);
    EXPECT_EQ(NewestRow(terminal), typed.substr(0, 109));
    EXPECT_EQ(std::string(terminal.fileLines[1]), std::string(105, '5'));
}

TEST(CommandInterpreter, HelpTextsStandInTheirOrder) {
    Terminal terminal(nullptr);
    Enter(terminal, "HLP");
    EXPECT_EQ(NewestRows(terminal, 10),
              (Rows{"HLR - справка по командной строке", "HLP - данная справка", "CLS - очистка экрана",
                    "CLF - очистка файла", "LST - отображение файла", "    DDD - данные или пусто",
                    "    X - номер строки", "    формат ADD X DDDD", "ADD - записать строку в файл", "HLP"}));
    Enter(terminal, "HLR");
    EXPECT_EQ(NewestRows(terminal, 5),
              (Rows{"Минус - стереть всю строку кроме 5 символов", "Забой <- - стереть последний символ",
                    "Enter - Исплнение", "a-z0-9.;пробел - допустимый ввод", "HLR"}));
}

TEST(CommandInterpreter, ListClearScreenAndClearFile) {
    Terminal terminal(nullptr);
    std::strcpy(terminal.fileLines[0], "210;-0.00001;0.5000;0.5000;0.7071;");
    std::strcpy(terminal.fileLines[9], "130;-0.00347;0;12.0000;");
    Enter(terminal, "LST");
    EXPECT_EQ(NewestRows(terminal, 11),
              (Rows{"9|130;-0.00347;0;12.0000;|", "8||", "7||", "6||", "5||", "4||", "3||", "2||", "1||",
                    "0|210;-0.00001;0.5000;0.5000;0.7071;|", "LST"}));
    Enter(terminal, "CLS");
    for (const char *line : terminal.screenLines) EXPECT_STREQ(line, "");  // the echo goes too
    Enter(terminal, "CLF");
    for (const char *line : terminal.fileLines) EXPECT_STREQ(line, "");
}

TEST(CommandInterpreter, AddStoresEmptiesAndChecksTheLineNumber) {
    Terminal terminal(nullptr);
    Enter(terminal, "ADD 9 130;-0.5;0;3.5;");
    EXPECT_STREQ(terminal.fileLines[9], "130;-0.5;0;3.5;");
    EXPECT_EQ(NewestRow(terminal), "ADD 9 130;-0.5;0;3.5;");  // nothing shown on success
    Enter(terminal, "ADD   4   first   ignored");
    EXPECT_STREQ(terminal.fileLines[4], "first");
    Enter(terminal, "ADD 4");
    EXPECT_STREQ(terminal.fileLines[4], "");
    Enter(terminal, "ADD Q nonnumber");  // not a number: line 0
    EXPECT_STREQ(terminal.fileLines[0], "nonnumber");
    Enter(terminal, "ADD -3 negative");  // the sign is dropped
    EXPECT_STREQ(terminal.fileLines[3], "negative");

    for (const char *command : {"ADD 10 x", "ADD -10 x", "ADD -2147483648 x", "ADD 99999999999999999999 x"}) {
        Enter(terminal, command);
        EXPECT_EQ(NewestRow(terminal), "ADD номер строки больше 9") << command;
    }
    Enter(terminal, "ADD   ");
    EXPECT_EQ(NewestRow(terminal), "ADD отсутствует номер строки");
}

TEST(CommandInterpreter, PhoSchedulesAtTheAbsoluteDateUntilTheCassetteIsFull) {
    Terminal terminal(nullptr);
    Enter(terminal, "PHO -43050.25");
    const FrameSlot &first = terminal.frameTable.slots[0];
    EXPECT_EQ(first.state, 1);
    EXPECT_DOUBLE_EQ(first.time, 43050.25);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(first.paramA[k] + first.paramB[k], 0.0);

    for (int i = 1; i < 20; ++i) terminal.frameTable.Schedule(43051.0);  // frames from transmitted records
    for (int i = 20; i < 32; ++i) Enter(terminal, "PHO 43052");
    EXPECT_EQ(terminal.frameTable.frameCount, 32);
    EXPECT_EQ(NewestRow(terminal), "PHO 43052");
    Enter(terminal, "PHO 43053");
    EXPECT_EQ(NewestRow(terminal), "кассета исчерпана");
    EXPECT_EQ(terminal.frameTable.frameCount, 32);
    Enter(terminal, "PHO");
    EXPECT_EQ(NewestRow(terminal), "отсутствует дата");
}

TEST(CommandInterpreter, ProgramsNeedAControlWord) {
    Terminal terminal(nullptr);
    Enter(terminal, "PLM");
    EXPECT_EQ(NewestRow(terminal), "PLM отсутствует управляющее слово");
    Enter(terminal, "PIE");
    EXPECT_EQ(NewestRow(terminal), "PIE отсутствует управляющее слово");
    Enter(terminal, "PLE");
    EXPECT_EQ(NewestRow(terminal), "PLE отсутствует управляющее слово");
    Enter(terminal, "PLE -3");
    EXPECT_EQ(NewestRows(terminal, 2), (Rows{"Ответ 0.0", "PLE -3"}));
    EXPECT_EQ(terminal.pleProgram.deltaV.x, 0.03);
}

TEST(CommandInterpreter, PieShowsItsFiveLinesAndStoresNoRecordsForATableAction) {
    Terminal terminal(nullptr);
    std::strcpy(terminal.fileLines[0], "old0");
    std::strcpy(terminal.pieProgram.directionRecord, "210;-0.00035;1.0000;0.0000;0.0000;");
    // One field: the end date; the mode stays 0 and the tables are cleared.
    Enter(terminal, "PIE ABC");
    EXPECT_EQ(NewestRows(terminal, 7),
              (Rows{"REZ=Сброс осуществлен", "_ _", "_ _", "_ _", "_ _", "Ответ 0.0", "PIE ABC"}));
    EXPECT_STREQ(terminal.fileLines[0], "old0");
}

TEST(CommandInterpreter, PleOutcomeFollowsTheControlWord) {
    Terminal terminal(nullptr);
    PleProgram &program = terminal.pleProgram;
    std::strcpy(program.resultLines[0],
                "Tru= MJD43555.0050 dT 1555628.2 R 4873.6 V 13233.9 ЭкН 128.25Д 135.51 Ш 8.04");
    std::strcpy(program.resultLines[1],
                "Tar= MJD43554.9999 dT 1555192.1 R 4873.6 V 13233.8 ЭкН 128.25Д 137.33 Ш 8.04");
    std::strcpy(program.resultLines[2], "Err=<2> 0.0168 км (1.754) || NN -0.09 0.15 -0.98 3400.00");
    std::strcpy(program.directionRecord, "210;-0.00001;-0.6842;0.4564;-0.5686;");
    std::strcpy(program.burnRecord, "130;-0.00347;0;1.7540;");
    std::strcpy(terminal.fileLines[0], "old0");
    std::strcpy(terminal.fileLines[1], "old1");

    CommandInterpreter(terminal).ShowPleOutcome(-5, 0.0);
    EXPECT_EQ(NewestRows(terminal, 2), (Rows{"Ответ 0.0", "string  0"}));
    CommandInterpreter(terminal).ShowPleOutcome(0, 0.0);
    EXPECT_EQ(NewestRows(terminal, 5), (Rows{" ", program.resultLines[2], program.resultLines[1],
                                             program.resultLines[0], "Ответ 0.0"}));
    EXPECT_STREQ(terminal.fileLines[0], "old0");
    CommandInterpreter(terminal).ShowPleOutcome(10, -9.0);
    EXPECT_EQ(NewestRows(terminal, 5), (Rows{" ", program.resultLines[2], program.resultLines[1],
                                             program.resultLines[0], "Ответ -9.0"}));
    EXPECT_STREQ(terminal.fileLines[0], "210;-0.00001;-0.6842;0.4564;-0.5686;");
    EXPECT_STREQ(terminal.fileLines[1], "130;-0.00347;0;1.7540;");
    program.burnRecordLine = 12;  // outside the file: not stored
    std::strcpy(terminal.fileLines[1], "kept");
    CommandInterpreter(terminal).ShowPleOutcome(1, 0.0);
    EXPECT_STREQ(terminal.fileLines[1], "kept");
}

TEST(CommandInterpreter, PleWithoutSimulationStopsCleanly) {
    // No vessel and no bodies: every state is zero, the propagations end at
    // once, the solve refuses the Jacobian and says so; nothing crashes.
    Terminal terminal(nullptr);
    Enter(terminal, "PLE 10");
    const Rows top = NewestRows(terminal, 6);
    EXPECT_EQ(top[4], "Ответ 0.0");
    EXPECT_EQ(top[1].rfind("Err=<0> ", 0), 0u) << top[1];
    EXPECT_NE(top[1].find(" вырожденная матрица"), std::string::npos) << top[1];
    EXPECT_EQ(std::string(terminal.fileLines[1]), "130;-0.00347;0;0.1732;");
    EXPECT_LT(terminal.pleProgram.forceEvaluationCount, 100);
}

TEST(CommandInterpreter, PlmOutcomeFollowsTheControlWord) {
    Terminal terminal(nullptr);
    PlmProgram &program = terminal.plmProgram;
    std::strcpy(program.resultLines[0], "T 2592000 (43080.50000) R 3500.0 V 2100.0 ");
    std::strcpy(program.resultLines[1], "Д -177.80 Ш -10.20 В -30.0 км Rош 1.2 км");
    std::strcpy(program.resultLines[2], " 3ш dV 1.000 2.000 3.000");
    std::strcpy(program.directionRecord, "210;-0.00001;0.2673;0.5345;0.8018;");
    std::strcpy(program.burnRecord, "130;-0.00347;0;3.7417;");
    std::strcpy(terminal.fileLines[0], "old0");
    std::strcpy(terminal.fileLines[1], "old1");

    CommandInterpreter(terminal).ShowPlmOutcome(-1, 0.0);
    EXPECT_EQ(NewestRows(terminal, 2), (Rows{"Ответ 0.0", "string  0"}));
    CommandInterpreter(terminal).ShowPlmOutcome(0, 0.0);
    EXPECT_EQ(NewestRows(terminal, 3), (Rows{program.resultLines[1], program.resultLines[0], "Ответ 0.0"}));
    EXPECT_STREQ(terminal.fileLines[0], "old0");

    CommandInterpreter(terminal).ShowPlmOutcome(2, 2.0);
    EXPECT_EQ(NewestRows(terminal, 4),
              (Rows{program.resultLines[2], program.resultLines[1], program.resultLines[0], "Ответ 2.0"}));
    EXPECT_STREQ(terminal.fileLines[0], "210;-0.00001;0.2673;0.5345;0.8018;");
    EXPECT_STREQ(terminal.fileLines[1], "130;-0.00347;0;3.7417;");

    program.directionRecordLine = 7;  // both on one line: the second record remains
    program.burnRecordLine = 7;
    CommandInterpreter(terminal).ShowPlmOutcome(1, 1.0);
    EXPECT_STREQ(terminal.fileLines[7], "130;-0.00347;0;3.7417;");
    program.directionRecordLine = 10;  // outside the file: not stored, nothing overwritten
    program.burnRecordLine = -1;
    CommandInterpreter(terminal).ShowPlmOutcome(1, 1.0);
    EXPECT_STREQ(terminal.fileLines[8], "");
    EXPECT_STREQ(terminal.fileLines[9], "");
}
