// Fuzz target of the host status display: any answer of the host's
// GetStatusText (up to the whole buffer, with or without its terminating
// zero, "ВКС" lines in Windows-1251 and in UTF-8 included) drawn on area 109,
// and the "ВКС" reader on any line.
//
// The input: one byte of flags (bit 0: the host terminates its text; bit 1:
// the console is still linking; bit 2: no host), the signal time (eight
// bytes), then the status text.
// Checked: the display reads no further than the host's buffer, the
// transmission estimate stays a number of seconds, and a line that is no
// "ВКС" line changes none of the values.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "DrawingObjects.h"
#include "FuzzSupport.h"
#include "HostStatusDisplay.h"
#include "PanelTestSupport.h"

using fuzzsupport::Require;

namespace {

// A host answering with the input's bytes, as many as fit.
class ScriptedHost : public SHIPprg {
public:
    double ExecuteCommand(int, int, double, VECTOR3, VECTOR3, VECTOR3) override { return 0.0; }
    int GetStatusText(int capacity, char *buffer) override {
        Require(capacity > 0, "no room for the status text");
        const std::size_t room = static_cast<std::size_t>(capacity);
        const std::size_t length = text.size() < room ? text.size() : room;
        std::memcpy(buffer, text.data(), length);
        if (terminate && length < room) buffer[length] = '\0';
        return 0;
    }

    std::string text;
    bool terminate = true;
};

SURFHANDLE StatusArea() {
    static SURFHANDLE area = oapiCreateSurface(132, 175);
    return area;
}

bool ValuesLine(const std::string &line) {
    static const char kCp1251[] = "\xC2\xCA\xD1";
    static const char kUtf8[] = "\xD0\x92\xD0\x9A\xD0\xA1";
    return line.compare(0, 3, kCp1251) == 0 || line.compare(0, 6, kUtf8) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    CreateModuleDrawingObjects(nullptr);
    StatusArea();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzzsupport::InputReader input(data, size);
    const std::uint8_t flags = input.byte();
    panel_test::ConsoleState console;
    ScriptedHost host;
    host.terminate = (flags & 1) != 0;
    console.linking = (flags & 2) != 0;
    console.hostProgram = (flags & 4) != 0 ? nullptr : &host;
    console.lightTime = input.number();
    host.text = input.rest();
    CopyLine(console.terminal.fileLines[0], Terminal::kLineSize, "210;0;1;0;0");

    PanelFields fields = console.Fields();
    DrawHostStatus(StatusArea(), fields);
    Require(console.transmissionEstimate >= 0.0 &&
                (std::isfinite(console.transmissionEstimate) || !std::isfinite(console.lightTime)),
            "transmission estimate not a time");

    // The reader alone, on the whole text as one line (exactly its length).
    int mode = 7;
    double valueA = 1.5, valueB = -2.5;
    ReadHostValues(host.text.data(), static_cast<int>(host.text.size()), mode, valueA, valueB);
    if (!ValuesLine(host.text))
        Require(mode == 7 && valueA == 1.5 && valueB == -2.5, "a line that is no values line changed them");
    return 0;
}
