// Fuzz target of the command records: the record reader and the transmission
// of whatever the ten stored lines hold (every code, frame numbers, times in
// MJD, late and relative), twice, on a cassette whose frames stand in any
// state, at the date of the cruise to Mars.
//
// The input: the signal time and the transmission estimate (eight bytes each,
// any double), the number of frames in use (one byte) and their states (one
// byte each), then up to ten lines for the stored lines.
// Checked: the reader keeps to its fields, the estimate is a number of
// seconds (not negative, finite for a finite signal time), the host gets only
// the codes the console does not carry out itself, from stored lines 0 to 9,
// never at a time before the record can arrive, and the cassette keeps its
// count and states.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "CommandRecord.h"
#include "CommandTransmission.h"
#include "FuzzSupport.h"
#include "PanelTestSupport.h"

using fuzzsupport::Require;

namespace {

const int kFrameStates[] = {
    kFrameEmpty,        kFrameScheduled,   kFrameCameraSet, kFrameOnBoard, kFramePictureRequested,
    kFrameTransmitting, kFrameTransmitted, kFrameResend};

bool KnownFrameState(int state) {
    for (int known : kFrameStates)
        if (state == known) return true;
    return false;
}

void CheckSplit(const char *line) {
    CommandRecordField fields[kCommandRecordMaxFields];
    const int count = SplitCommandRecord(line, fields, kCommandRecordMaxFields);
    Require(count >= 0 && count <= kCommandRecordMaxFields, "field count out of range");
    const std::size_t length = std::strlen(line);
    for (int i = 0; i < count; ++i) {
        Require(fields[i].length > 0, "an empty field");
        Require(fields[i].text >= line && fields[i].text + fields[i].length <= line + length,
                "a field outside its line");
        Require(std::memchr(fields[i].text, ';', fields[i].length) == nullptr, "a field holding a separator");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzzsupport::KeptSimulation("cruise_to_mars.scn", 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzzsupport::InputReader input(data, size);
    panel_test::ConsoleState console;
    panel_test::FakeHost host;
    console.hostProgram = &host;
    console.lightTime = input.number();
    console.transmissionEstimate = input.number();

    FrameTable &frames = console.terminal.frameTable;
    const int used = input.byte() % (FrameTable::kSlotCount + 1);
    for (int k = 0; k < used; ++k) {
        FrameSlot *slot = frames.Schedule(43036.0 + k / 1440.0);
        slot->state = kFrameStates[input.byte() % (sizeof kFrameStates / sizeof kFrameStates[0])];
    }
    for (char *line : console.terminal.fileLines) {
        if (input.atEnd()) break;
        CopyLine(line, Terminal::kLineSize, input.line(Terminal::kLineSize - 1).c_str());
        CheckSplit(line);
        CommandRecord record;
        Require(ReadCommandRecord(line, record) == (line[0] != '\0'), "a record read from an empty line");
    }

    const double estimate = TransmissionEstimate(console.terminal.fileLines, console.lightTime);
    Require(estimate >= 0.0 && (std::isfinite(estimate) || !std::isfinite(console.lightTime)),
            "transmission estimate not a time");

    PanelFields fields = console.Fields();
    for (int round = 0; round < 2; ++round) {
        const double delay = console.transmissionEstimate + console.lightTime;
        const double arrival = oapiGetSimMJD() + delay / 86400.0;
        host.commands.clear();
        Transmit(fields);
        for (const panel_test::FakeHost::Command &command : host.commands) {
            Require(command.line >= 0 && command.line < Terminal::kFileLineCount, "a command from no line");
            Require(command.code != kCodeSwitchHost && command.code != kCodeScheduleFrame &&
                        command.code != kCodeTransmitFrames && command.code != kCodeFrameReport,
                    "the host got one of the console's own codes");
            Require(!(command.time < arrival), "a command timed before it can arrive");
        }
        Require(frames.frameCount >= 0 && frames.frameCount <= FrameTable::kSlotCount,
                "frame count out of range");
        for (const FrameSlot &slot : frames.slots)
            Require(KnownFrameState(slot.state), "a frame in no state");
        for (const char *line : console.terminal.screenLines)
            Require(fuzzsupport::Terminated(line, Terminal::kLineSize), "screen line not terminated");
    }
    return 0;
}
