// Fuzz target of the command composer: any text in its six fields, the time
// calculator at any date, the pointing at any axes, resets, and the record
// appended to the terminal's edit line, which is executed when it holds a
// command of the stored lines or the cassette (ADD, PHO, LST, CLF).
//
// The input is a series of operations, each a byte and its operand:
//   0-5  a line into field 100 + n (as the input box hands it over)
//   6    the time calculator at a date (eight bytes)
//   7    the pointing from two axes (six times eight bytes)
//   8    a reset (one byte: which)
//   9    a click on a field (one byte: area) and the field titles
//   10   the record button, then Enter for the commands above
// Checked: every field stays terminated within its size, the time calculator
// writes a number (or leaves data A) for the modes it knows, and the terminal
// keeps its invariants.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CommandComposer.h"
#include "FuzzSupport.h"
#include "Terminal.h"

using fuzzsupport::Require;
using fuzzsupport::Terminated;

namespace {

const int kAreas = CommandComposer::kLastFieldArea - CommandComposer::kFirstFieldArea + 1;

void CheckFields(const CommandComposer &composer) {
    for (int area = CommandComposer::kFirstFieldArea; area <= CommandComposer::kLastFieldArea; ++area)
        Require(Terminated(composer.FieldText(area), CommandComposer::kFieldSize), "field not terminated");
}

void CheckTerminal(const Terminal &terminal) {
    Require(Terminated(terminal.editLine, Terminal::kEditLineSize), "edit line not terminated");
    Require(terminal.editCount == static_cast<int>(std::strlen(terminal.editLine)),
            "edit count differs from the edit line");
    for (const char *line : terminal.fileLines)
        Require(Terminated(line, Terminal::kLineSize), "stored line not terminated");
    Require(terminal.frameTable.frameCount >= 0 && terminal.frameTable.frameCount <= FrameTable::kSlotCount,
            "frame count out of range");
}

bool StoredLineCommand(const char *line) {
    while (*line == ' ') ++line;
    return std::strncmp(line, "ADD", 3) == 0 || std::strncmp(line, "PHO", 3) == 0 ||
           std::strncmp(line, "LST", 3) == 0 || std::strncmp(line, "CLF", 3) == 0;
}

// Data A as the calculator wrote it: a decimal number with five places, or
// the text of a value that is no number.
bool WrittenTime(const char *text) {
    char *end = nullptr;
    std::strtod(text, &end);
    return end != text && *end == '\0';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzzsupport::InputReader input(data, size);
    CommandComposer composer;
    Terminal terminal(nullptr);
    while (!input.atEnd()) {
        const int operation = input.byte() % 11;
        if (operation < kAreas) {
            std::string text = input.line(2 * CommandComposer::kFieldSize);
            CommandComposer::AcceptInput(
                nullptr, &text[0],
                const_cast<char *>(composer.FieldText(CommandComposer::kFirstFieldArea + operation)));
        } else if (operation == 6) {
            char before[CommandComposer::kFieldSize];
            std::memcpy(before, composer.dataA, sizeof before);
            composer.ComputeTimeAt(input.number());
            Require(std::memcmp(before, composer.dataA, sizeof before) == 0 || WrittenTime(composer.dataA),
                    "the time calculator wrote no number");
        } else if (operation == 7) {
            VECTOR3 axes[2];
            for (VECTOR3 &axis : axes)
                for (double &component : axis.data) component = input.number();
            composer.TakePointing(axes[0], axes[1]);
        } else if (operation == 8) {
            composer.Reset(input.byte() % 3);
        } else if (operation == 9) {
            const int area = CommandComposer::kFirstFieldArea - 1 + input.byte() % (kAreas + 2);
            composer.RequestInput(area);
            const char *title = CommandComposer::FieldTitle(area);
            Require((title != nullptr) == (composer.FieldText(area) != nullptr), "a field without a title");
            composer.inputPending = false;
        } else {
            composer.EmitRecord(terminal);
            CheckTerminal(terminal);
            if (StoredLineCommand(terminal.editLine)) {
                terminal.Execute();
            } else {
                terminal.editLine[0] = '\0';
                terminal.editCount = 0;
            }
        }
        CheckFields(composer);
        CheckTerminal(terminal);
    }
    return 0;
}
