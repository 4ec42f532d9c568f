// Fuzz target of the programs' control words: PIE's ten-number word and the
// integer words of PLE and PLM, run against the Earth entry (TAVR-12 eighteen
// days before its entry; the fuzzing build bounds the programs' iterations).
//
// The input is a series of lines; each line's first byte chooses the program
// (its value modulo 3: PIE, PLE, PLM) and the way in (bit 2: through the
// terminal as "PIE <word>", else straight to the program's Run), the rest of
// the line is the word. The programs keep their state from line to line
// (PIE's tables, PLE's increment), as on board.
// Checked after every run: the result lines and records terminated; no record
// the program formed, and no stored line, holding a value that is no number;
// PLE's increment finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "DecimalReading.h"
#include "FuzzSupport.h"
#include "Terminal.h"

using fuzzsupport::FreeOfNonNumbers;
using fuzzsupport::Require;
using fuzzsupport::Terminated;

namespace {

const std::size_t kMaxWord = 160;

VESSEL *Spacecraft() {
    static VESSEL *spacecraft = fuzzsupport::KeptVessel("earth_entry.scn", 2, "TAVR-12");
    return spacecraft;
}

template <std::size_t N, std::size_t M>
void CheckLines(const char (&lines)[N][M], const char *what) {
    for (const char *line : lines) Require(Terminated(line, M), what);
}

void CheckRecord(const char *record, std::size_t size) {
    Require(Terminated(record, size), "record not terminated");
    Require(FreeOfNonNumbers(record), "a record holding a value that is no number");
}

void CheckTerminal(const Terminal &terminal) {
    CheckLines(terminal.pieProgram.resultLines, "PIE result line not terminated");
    CheckLines(terminal.pleProgram.resultLines, "PLE result line not terminated");
    CheckLines(terminal.plmProgram.resultLines, "PLM result line not terminated");
    CheckRecord(terminal.pieProgram.directionRecord, sizeof terminal.pieProgram.directionRecord);
    CheckRecord(terminal.pieProgram.burnRecord, sizeof terminal.pieProgram.burnRecord);
    CheckRecord(terminal.pleProgram.directionRecord, sizeof terminal.pleProgram.directionRecord);
    CheckRecord(terminal.pleProgram.burnRecord, sizeof terminal.pleProgram.burnRecord);
    CheckRecord(terminal.plmProgram.directionRecord, sizeof terminal.plmProgram.directionRecord);
    CheckRecord(terminal.plmProgram.burnRecord, sizeof terminal.plmProgram.burnRecord);
    for (const char *line : terminal.fileLines) CheckRecord(line, Terminal::kLineSize);
    for (const char *line : terminal.screenLines)
        Require(Terminated(line, Terminal::kLineSize), "screen line not terminated");
    const VECTOR3 &increment = terminal.pleProgram.deltaV;
    Require(std::isfinite(increment.x) && std::isfinite(increment.y) && std::isfinite(increment.z),
            "PLE's increment is no number");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    Spacecraft();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzzsupport::InputReader input(data, size);
    Terminal terminal(Spacecraft());
    static const char *const kNames[] = {"PIE", "PLE", "PLM"};
    while (!input.atEnd()) {
        const std::uint8_t choice = input.byte();
        const std::string word = input.line(kMaxWord);
        const int program = choice % 3;
        if (choice & 4) {
            terminal.editLine[0] = '\0';
            terminal.editCount = 0;
            terminal.AppendText(kNames[program]);
            terminal.AppendText(" ");
            terminal.AppendText(word.c_str());
            terminal.Execute();
        } else if (program == 0) {
            terminal.pieProgram.Run(word.c_str());
        } else if (program == 1) {
            terminal.pleProgram.Run(ReadDecimalInt(word.c_str()));
        } else {
            terminal.plmProgram.Run(ReadDecimalInt(word.c_str()));
        }
        CheckTerminal(terminal);
    }
    return 0;
}
