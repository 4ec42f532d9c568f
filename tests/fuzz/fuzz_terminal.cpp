// Fuzz target of the terminal: key presses and edit lines through Execute,
// every command included, on a terminal whose owner is the console of the
// cruise to Mars (so PSI and the three programs run against the simulation;
// a fuzzing build bounds the programs' iterations).
//
// The input is a series of lines. A line beginning with byte 0x01 is a series
// of key events: every byte after it is a scan code (the high bit: released)
// given to ConsumeBufferedKey with the keys captured. Any other line is
// appended to the edit line as the composer appends records, and executed.
// After every line each buffer must be terminated within its size, the edit
// count must be the edit line's length, the newest screen line and the frame
// count in range; the terminal is drawn at the end.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "DrawingObjects.h"
#include "FuzzSupport.h"
#include "Terminal.h"

using fuzzsupport::Require;
using fuzzsupport::Terminated;

namespace {

const char kKeyEvents = '\x01';
const std::size_t kMaxLine = 256;

VESSEL *Console() {
    static VESSEL *console = fuzzsupport::KeptVessel("cruise_to_mars.scn", 31, "OKUL");
    return console;
}

SURFHANDLE Screen() {
    static SURFHANDLE screen = oapiCreateSurface(410, 442);
    return screen;
}

void CheckTerminal(const Terminal &terminal) {
    for (const char *line : terminal.screenLines)
        Require(Terminated(line, Terminal::kLineSize), "screen line not terminated");
    for (const char *line : terminal.fileLines)
        Require(Terminated(line, Terminal::kLineSize), "stored line not terminated");
    Require(Terminated(terminal.editLine, Terminal::kEditLineSize), "edit line not terminated");
    Require(terminal.editCount == static_cast<int>(std::strlen(terminal.editLine)),
            "edit count differs from the edit line");
    Require(terminal.newestLine >= 0 && terminal.newestLine < Terminal::kScreenLineCount,
            "newest line out of range");
    Require(terminal.frameTable.frameCount >= 0 && terminal.frameTable.frameCount <= FrameTable::kSlotCount,
            "frame count out of range");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    Console();
    CreateModuleDrawingObjects(nullptr);
    Screen();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    Terminal terminal(Console());
    terminal.captureKeys = true;
    fuzzsupport::InputReader input(data, size);
    while (!input.atEnd()) {
        const std::string line = input.line(kMaxLine);
        if (!line.empty() && line[0] == kKeyEvents) {
            for (std::size_t i = 1; i < line.size(); ++i) {
                const unsigned char event = static_cast<unsigned char>(line[i]);
                terminal.ConsumeBufferedKey(event & 0x7F, (event & 0x80) == 0);
                CheckTerminal(terminal);
            }
            continue;
        }
        // Text holding zero bytes is appended up to the first of them.
        terminal.AppendText(line.c_str());
        CheckTerminal(terminal);
        terminal.Execute();
        CheckTerminal(terminal);
    }
    terminal.Draw(Screen());
    return 0;
}
