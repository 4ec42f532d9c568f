// Fuzz target for the terminal: every input is a series of lines. Each line is
// typed into the edit line and executed, read as a command record, and used
// as the composer's offset; afterwards every buffer must still be terminated
// within its size and the edit count must match the edit line.
//
// Commands that need a running simulation (PLM, PIE, PSI) are renamed before
// they reach the interpreter.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "CommandComposer.h"
#include "CommandRecord.h"
#include "Terminal.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool Terminated(const char *buffer, std::size_t size) { return std::memchr(buffer, '\0', size) != nullptr; }

void DisarmSimulatorCommands(char *line) {
    char *word = line;
    while (*word == ' ') ++word;
    if (std::strncmp(word, "PLM", 3) == 0 || std::strncmp(word, "PIE", 3) == 0 ||
        std::strncmp(word, "PSI", 3) == 0)
        word[0] = 'X';
}

void CheckTerminal(const Terminal &terminal) {
    for (const char *line : terminal.screenLines) Require(Terminated(line, Terminal::kLineSize));
    for (const char *line : terminal.fileLines) Require(Terminated(line, Terminal::kLineSize));
    Require(Terminated(terminal.editLine, Terminal::kEditLineSize));
    Require(terminal.editCount == static_cast<int>(std::strlen(terminal.editLine)));
    Require(terminal.newestLine >= 0 && terminal.newestLine < Terminal::kScreenLineCount);
    Require(terminal.frameTable.frameCount >= 0 && terminal.frameTable.frameCount <= FrameTable::kSlotCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    Terminal terminal(nullptr);
    CommandComposer composer;
    char line[256];
    std::size_t start = 0;
    while (start < size) {
        std::size_t end = start;
        while (end < size && data[end] != '\n') ++end;
        std::size_t length = end - start < sizeof(line) - 1 ? end - start : sizeof(line) - 1;
        std::memcpy(line, data + start, length);
        line[length] = '\0';
        start = end + 1;

        CommandRecord record;
        ReadCommandRecord(line, record);

        CommandComposer::AcceptInput(nullptr, line, composer.offset);
        composer.ComputeTimeAt(43050.5);
        Require(Terminated(composer.dataA, CommandComposer::kFieldSize));
        CommandComposer::AcceptInput(nullptr, line, composer.code);
        composer.EmitRecord(terminal);
        CheckTerminal(terminal);
        terminal.editLine[0] = '\0';
        terminal.editCount = 0;

        // A line may hold zero bytes: only its first part is typed.
        DisarmSimulatorCommands(line);
        terminal.AppendText(line);
        if (line[0] == '\x7f') {
            terminal.Backspace();
            terminal.TruncateEditLine();
        }
        CheckTerminal(terminal);
        terminal.Execute();
        CheckTerminal(terminal);

        for (const char *stored : terminal.fileLines) ReadCommandRecord(stored, record);
    }
    return 0;
}
