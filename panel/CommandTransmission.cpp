#include "CommandTransmission.h"

#include "CommandRecord.h"

namespace {

const int kUnitsPerLine = 14;
const int kUnitsPerCharacter = 2;
const int kMaxParameterFields = 9;
const double kNearEarthLightTime = 300.0;  // s
const double kUnitTimeNearEarth = 0.4;     // s per unit
const double kUnitTimeFarOut = 6.25;       // s per unit

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

void Transmit(PanelFields &fields) { fields.terminal.AddLine("-=ПЕРЕДАЧА=-"); }
