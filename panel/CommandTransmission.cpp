#include "CommandTransmission.h"

#include "CommandRecord.h"
#include "VectorMath.h"

namespace {

const int kUnitsPerLine = 14;
const int kUnitsPerCharacter = 2;
const int kMaxParameterFields = 9;
const double kNearEarthLightTime = 300.0;  // s
const double kUnitTimeNearEarth = 0.4;     // s per unit
const double kUnitTimeFarOut = 6.25;       // s per unit

const double kSecondsPerDay = 86400.0;
// Frames scheduled by one transmission are taken at least a minute apart.
const double kFrameSpacing = 1.0 / 1440.0;  // days
// The downlink of one picture (800 columns, one every 2 s) takes 1600 s.
const double kPictureTransmission = 1.0 / 54.0;  // days

// Frame numbers of a transmission command outside the cassette are reported
// one line each. Of a run of such numbers only the last screen's worth can
// still be seen once the run is written, so the numbers before it are passed
// over instead of being counted through one by one: a range of billions of
// numbers costs a screen of lines and leaves the screen as it would be.
void ReportFramesOutsideCassette(Terminal &terminal, long long from, long long to) {
    if (from > to) return;
    if (from < to - (Terminal::kScreenLineCount - 1)) from = to - (Terminal::kScreenLineCount - 1);
    for (long long k = from; k <= to; ++k)
        terminal.AddFormattedLine("неверный номер кадра %d", static_cast<int>(k));
}

// Code 600: the next slot of the cassette, at the record's time but at least a
// minute after the previous frame; pointing, channel and optics from vector 1,
// the receiver from vector 2.
void ScheduleFrame(Terminal &terminal, double time, const CommandRecord &record) {
    FrameTable &frames = terminal.frameTable;
    const int next = frames.frameCount;
    if (next < 0 || next >= FrameTable::kSlotCount) {
        // The command line above already told the user it went out.
        terminal.AddLine("кассета исчерпана");
        return;
    }
    if (next > 0) {
        const double earliest = frames.slots[next - 1].time + kFrameSpacing;
        if (time < earliest) time = earliest;
    }
    FrameSlot *slot = frames.Schedule(time);
    for (int k = 0; k < 3; ++k) {
        slot->paramA[k] = record.vector1.data[k];
        slot->paramB[k] = record.vector2.data[k];
    }
}

// The latest start among the transmissions already queued; 0 when none is.
double LatestQueuedTransmission(const FrameTable &frames) {
    double latest = 0.0;
    for (const FrameSlot &slot : frames.slots) {
        if (slot.state == kFrameTransmitting && slot.transmitTime > latest) latest = slot.transmitTime;
    }
    return latest;
}

// Code 610: frames vector1[0] to vector1[1] are queued for the downlink, one
// picture's transmission time after whatever is queued already.
void TransmitFrames(Terminal &terminal, double time, const CommandRecord &record) {
    FrameTable &frames = terminal.frameTable;
    const long long first = TruncateToInt(record.vector1.x);
    const long long last = TruncateToInt(record.vector1.y);
    const long long lastSlot = FrameTable::kSlotCount - 1;
    ReportFramesOutsideCassette(terminal, first, last < -1 ? last : -1);
    const int from = first < 0 ? 0 : static_cast<int>(first);
    const int to = last > lastSlot ? static_cast<int>(lastSlot) : static_cast<int>(last);
    for (int k = from; k <= to; ++k) {
        FrameSlot &slot = frames.slots[k];
        if (slot.state != kFrameOnBoard && slot.state != kFrameTransmitted) {
            terminal.AddFormattedLine("ошибка кадр %d в состоянии %d", k, slot.state);
            continue;
        }
        double queued = LatestQueuedTransmission(frames);
        if (queued > 0.0) {
            queued += kPictureTransmission;
            if (time < queued) {
                time = queued;
                terminal.AddFormattedLine("передача  кадра %d перенесаена на %.5f", k, time);
            }
        }
        slot.transmitTime = time;
        slot.state = slot.state == kFrameOnBoard ? kFrameTransmitting : kFrameResend;
    }
    ReportFramesOutsideCassette(terminal, first > lastSlot ? first : lastSlot + 1, last);
}

// Code 620: every slot with its state, slot 31 ending on top.
void ReportFrames(Terminal &terminal) {
    terminal.AddLine("Состояние кадров");
    for (int k = 0; k < FrameTable::kSlotCount; ++k)
        terminal.AddFormattedLine("%d в состоянии %d", k, terminal.frameTable.slots[k].state);
}

}  // namespace

double TransmissionEstimate(const char (&fileLines)[Terminal::kFileLineCount][Terminal::kLineSize],
                            double lightTime) {
    const double unitTime = lightTime < kNearEarthLightTime ? kUnitTimeNearEarth : kUnitTimeFarOut;
    double estimate = 0.0;
    for (const char *line : fileLines) {
        if (line[0] == '\0') continue;
        int units = kUnitsPerLine;
        CommandRecordField fields[2 + kMaxParameterFields];
        const int count = SplitCommandRecord(line, fields, 2 + kMaxParameterFields);
        for (int i = 2; i < count; ++i) units += kUnitsPerCharacter * fields[i].length;
        estimate += units * unitTime;
    }
    return estimate;
}

void Transmit(PanelFields &fields) {
    Terminal &terminal = fields.terminal;
    terminal.AddLine("-=ПЕРЕДАЧА=-");
    for (int i = 0; i < Terminal::kFileLineCount; ++i) {
        CommandRecord record;
        if (!ReadCommandRecord(terminal.fileLines[i], record)) continue;

        const double delay = fields.transmissionEstimate + fields.lightTime;  // s
        const double arrival = oapiGetSimMJD() + delay / kSecondsPerDay;
        double time = record.time;
        if (time <= 0.0) time = arrival - time;
        const VECTOR3 &u = record.vector1, &v = record.vector2, &w = record.vector3;
        terminal.AddFormattedLine("команда %1d|%3d|%.5f|%.2f;%.2f;%.2f;%.2f;%.2f;%.2f;%.2f;%.2f;%.2f;", i,
                                  record.code, time, u.x, u.y, u.z, v.x, v.y, v.z, w.x, w.y, w.z);
        terminal.AddFormattedLine("Задержка %.2fс", delay);
        if (time < arrival) {
            terminal.AddFormattedLine("!!!Опоздание %.3f c", (arrival - time) * kSecondsPerDay);
            time = arrival;
        }

        switch (record.code) {
            case kCodeSwitchHost:
                fields.configuration = 1;
                fields.hostMode = -1;
                fields.restartRequested = true;
                break;
            case kCodeScheduleFrame:
                ScheduleFrame(terminal, time, record);
                break;
            case kCodeTransmitFrames:
                TransmitFrames(terminal, time, record);
                break;
            case kCodeFrameReport:
                ReportFrames(terminal);
                break;
            default:
                if (fields.hostProgram) fields.hostProgram->ExecuteCommand(i, record.code, time, u, v, w);
                break;
        }
    }
}
