#include "CommandInterpreter.h"

#include "DecimalReading.h"
#include "Terminal.h"

#include <cmath>
#include <cstring>

namespace {

const double kEarthGravitationalParameter = 398600439968871.2;  // m^3/s^2
const double kMarsGravitationalParameter = 42828299163780.0;    // m^3/s^2
// The velocity change shown beside each acceleration is over this time
// (five days, although the label says ten).
const double kVelocityChangeSeconds = 432000.0;

const char kUnknownCommand[] = "неизвестная команда <набери HLP>";

}  // namespace

CommandInterpreter::CommandInterpreter(Terminal &terminal) : terminal(terminal), wordCount(0) {
    line[0] = '\0';
}

void CommandInterpreter::Execute() {
    terminal.AddLine(terminal.editLine);
    CopyLine(line, sizeof(line), terminal.editLine);
    terminal.editLine[0] = '\0';
    terminal.editCount = 0;

    SplitWords();
    if (wordCount == 0) return;

    const char *command = words[0];
    if (std::strlen(command) < 3) {
        terminal.AddLine(kUnknownCommand);
        return;
    }
    if (std::strncmp(command, "HLP", 3) == 0) {
        ShowCommandHelp();
    } else if (std::strncmp(command, "HLR", 3) == 0) {
        ShowKeyHelp();
    } else if (std::strncmp(command, "LST", 3) == 0) {
        ListFile();
    } else if (std::strncmp(command, "CLS", 3) == 0) {
        terminal.ClearScreen();
    } else if (std::strncmp(command, "CLF", 3) == 0) {
        terminal.ClearFile();
    } else if (std::strncmp(command, "ADD", 3) == 0) {
        AddToFile();
    } else if (std::strncmp(command, "PHO", 3) == 0) {
        SchedulePhotograph();
    } else if (std::strncmp(command, "PLM", 3) == 0) {
        RunPlm();
    } else if (std::strncmp(command, "PIE", 3) == 0) {
        RunPie();
    } else if (std::strncmp(command, "PSI", 3) == 0) {
        ShowGravity();
    } else if (std::strncmp(command, "PLE", 3) == 0) {
        RunPle();
    } else {
        terminal.AddLine(kUnknownCommand);
    }
}

// Splits the working line in place at spaces; runs of spaces are one
// separator. Words after the fourth are not needed by any command.
void CommandInterpreter::SplitWords() {
    wordCount = 0;
    char *position = line;
    while (*position && wordCount < kMaxWords) {
        while (*position == ' ') ++position;
        if (!*position) break;
        words[wordCount++] = position;
        while (*position && *position != ' ') ++position;
        if (*position) *position++ = '\0';
    }
}

void CommandInterpreter::ShowCommandHelp() {
    terminal.AddLine("ADD - записать строку в файл");
    terminal.AddLine("    формат ADD X DDDD");
    terminal.AddLine("    X - номер строки");
    terminal.AddLine("    DDD - данные или пусто");
    terminal.AddLine("LST - отображение файла");
    terminal.AddLine("CLF - очистка файла");
    terminal.AddLine("CLS - очистка экрана");
    terminal.AddLine("HLP - данная справка");
    terminal.AddLine("HLR - справка по командной строке");
}

void CommandInterpreter::ShowKeyHelp() {
    terminal.AddLine("a-z0-9.;пробел - допустимый ввод");
    terminal.AddLine("Enter - Исплнение");
    terminal.AddLine("Забой <- - стереть последний символ");
    terminal.AddLine("Минус - стереть всю строку кроме 5 символов");
}

void CommandInterpreter::ListFile() {
    for (int i = 0; i < Terminal::kFileLineCount; ++i)
        terminal.AddFormattedLine("%1d|%s|", i, terminal.fileLines[i]);
}

void CommandInterpreter::AddToFile() {
    if (!Word(1)) {
        terminal.AddLine("ADD отсутствует номер строки");
        return;
    }
    // Line numbers are taken without their sign; anything that is not a
    // number addresses line 0. Comparing before negating keeps the most
    // negative int from overflowing.
    int number = ReadDecimalInt(Word(1));
    if (number > 9 || number < -9) {
        terminal.AddLine("ADD номер строки больше 9");
        return;
    }
    if (number < 0) number = -number;
    CopyLine(terminal.fileLines[number], Terminal::kLineSize, Word(2) ? Word(2) : "");
}

void CommandInterpreter::SchedulePhotograph() {
    if (!Word(1)) {
        terminal.AddLine("отсутствует дата");
        return;
    }
    double time = std::fabs(ReadDecimalNumber(Word(1)));
    if (!terminal.frameTable.Schedule(time)) terminal.AddLine("кассета исчерпана");
}

void CommandInterpreter::ShowGravity() {
    OBJHANDLE vessel = terminal.owner ? terminal.owner->GetHandle() : nullptr;
    char marsName[] = "Mars";
    char earthName[] = "Earth";
    VECTOR3 fromMars = _V(0.0, 0.0, 0.0);
    VECTOR3 fromEarth = _V(0.0, 0.0, 0.0);
    oapiGetRelativePos(vessel, oapiGetGbodyByName(marsName), &fromMars);
    oapiGetRelativePos(vessel, oapiGetGbodyByName(earthName), &fromEarth);

    double earthDistance = length(fromEarth);
    double marsDistance = length(fromMars);
    double earthGravity = kEarthGravitationalParameter / (earthDistance * earthDistance);
    double marsGravity = kMarsGravitationalParameter / (marsDistance * marsDistance);
    double sum = earthGravity + marsGravity;
    terminal.AddFormattedLine("Земля g %.6f Н dV/10сут %.6f м/с", earthGravity,
                              earthGravity * kVelocityChangeSeconds);
    terminal.AddFormattedLine("Марс  g %.6f Н dV/10сут %.6f м/с", marsGravity,
                              marsGravity * kVelocityChangeSeconds);
    terminal.AddFormattedLine("Сумма g %.6f Н dV/10сут %.6f м/с", sum, sum * kVelocityChangeSeconds);
}

void CommandInterpreter::RunPlm() {
    if (!Word(1)) {
        terminal.AddLine("PLM отсутствует управляющее слово");
        return;
    }
    int controlWord = ReadDecimalInt(Word(1));
    double answer = terminal.plmProgram.Run(controlWord);
    ShowPlmOutcome(controlWord, answer);
}

void CommandInterpreter::ShowPlmOutcome(int controlWord, double answer) {
    const PlmProgram &program = terminal.plmProgram;
    terminal.AddFormattedLine("Ответ %.1f", answer);
    if (controlWord >= 0) {
        terminal.AddLine(program.resultLines[0]);
        terminal.AddLine(program.resultLines[1]);
    }
    if (controlWord >= 1) {
        terminal.AddLine(program.resultLines[2]);
        StoreRecord(program.directionRecordLine, program.directionRecord);
        StoreRecord(program.burnRecordLine, program.burnRecord);
    }
}

void CommandInterpreter::ShowPleOutcome(int controlWord, double answer) {
    const PleProgram &program = terminal.pleProgram;
    terminal.AddFormattedLine("Ответ %.1f", answer);
    if (controlWord >= 0) {
        for (const char *resultLine : program.resultLines) terminal.AddLine(resultLine);
    }
    if (controlWord >= 1) {
        StoreRecord(program.directionRecordLine, program.directionRecord);
        StoreRecord(program.burnRecordLine, program.burnRecord);
    }
}

// A record line outside the file would be a program fault; such a record is
// not stored rather than written past the file.
void CommandInterpreter::StoreRecord(int fileLine, const char *record) {
    if (fileLine >= 0 && fileLine < Terminal::kFileLineCount)
        CopyLine(terminal.fileLines[fileLine], Terminal::kLineSize, record);
}

void CommandInterpreter::RunPie() {
    if (!Word(1)) {
        terminal.AddLine("PIE отсутствует управляющее слово");
        return;
    }
    PieProgram &program = terminal.pieProgram;
    const double answer = program.Run(Word(1));
    terminal.AddFormattedLine("Ответ %.1f", answer);
    for (const char *resultLine : program.resultLines) terminal.AddLine(resultLine);
    // Only a correction run answers with a negative number and forms records.
    if (answer < 0.0) {
        StoreRecord(program.directionRecordLine, program.directionRecord);
        StoreRecord(program.burnRecordLine, program.burnRecord);
    }
}

void CommandInterpreter::RunPle() {
    if (!Word(1)) {
        terminal.AddLine("PLE отсутствует управляющее слово");
        return;
    }
    int controlWord = ReadDecimalInt(Word(1));
    double answer = terminal.pleProgram.Run(controlWord);
    ShowPleOutcome(controlWord, answer);
}
