#include "CommandComposer.h"

#include "CommandRecord.h"
#include "DecimalReading.h"
#include "Terminal.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

const int kInputBoxVisibleLength = 64;

// The input box takes its title as a modifiable text that must stay valid
// while the box is open, so the titles live as long as the library.
char titleCode[] = "Код функции";
char titleDataA[] = "Данные А";
char titleDataB[] = "Данные Б";
char titleDataC[] = "Данные В";
char titleDataD[] = "Данные Г";
char titleOffset[] = "Смещение -> Сек;Мин;Час;Сут;ТО";
char *const kTitles[] = {titleCode, titleDataA, titleDataB, titleDataC, titleDataD, titleOffset};

bool IsOffsetSeparator(char c) { return c == ';' || c == ',' || c == ' '; }

}  // namespace

CommandComposer::CommandComposer() {
    Reset(0);
    Reset(1);
    inputPending = false;
    pendingField = 0;
}

char *CommandComposer::Field(int areaId) {
    switch (areaId) {
        case 100:
            return code;
        case 101:
            return dataA;
        case 102:
            return dataB;
        case 103:
            return dataC;
        case 104:
            return dataD;
        case 105:
            return offset;
        default:
            return nullptr;
    }
}

const char *CommandComposer::FieldText(int areaId) const {
    return const_cast<CommandComposer *>(this)->Field(areaId);
}

const char *CommandComposer::FieldTitle(int areaId) {
    if (areaId < kFirstFieldArea || areaId > kLastFieldArea) return nullptr;
    return kTitles[areaId - kFirstFieldArea];
}

void CommandComposer::RequestInput(int areaId) {
    if (inputPending) return;
    inputPending = true;
    pendingField = areaId;
}

void CommandComposer::OpenInput(int areaId) {
    inputPending = false;
    char *field = Field(areaId);
    if (!field) return;
    oapiOpenInputBox(kTitles[areaId - kFirstFieldArea], AcceptInput, field, kInputBoxVisibleLength, field);
}

bool CommandComposer::AcceptInput(void *box, char *entry, void *field) {
    if (field) CopyLine(static_cast<char *>(field), kFieldSize, entry ? entry : "");
    return true;
}

void CommandComposer::Reset(int which) {
    if (which == 0) {
        code[0] = '\0';
        dataA[0] = '\0';
        std::snprintf(dataB, kFieldSize, "0;0;0");
        std::snprintf(dataC, kFieldSize, "0;0;0");
        std::snprintf(dataD, kFieldSize, "0;0;0");
    } else if (which == 1) {
        std::snprintf(offset, kFieldSize, "0;0;0;0;0");
    }
}

void CommandComposer::TakePointing(const VECTOR3 &axisZ, const VECTOR3 &axisX) {
    std::snprintf(dataB, kFieldSize, "%.4f;%.4f;%.4f", axisZ.x, axisZ.y, axisZ.z);
    std::snprintf(dataC, kFieldSize, "%.4f;%.4f;%.4f", axisX.x, axisX.y, axisX.z);
}

void CommandComposer::ComputeTime() { ComputeTimeAt(oapiGetSimMJD()); }

void CommandComposer::ComputeTimeAt(double currentMjd) {
    // Seconds, minutes, hours, days, mode; missing numbers are 0.
    double values[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
    char text[kFieldSize];
    CopyLine(text, kFieldSize, offset);
    char *position = text;
    for (int count = 0; count < 5; ++count) {
        while (*position && IsOffsetSeparator(*position)) ++position;
        if (!*position) break;
        char *word = position;
        while (*position && !IsOffsetSeparator(*position)) ++position;
        if (*position) *position++ = '\0';
        values[count] = ReadDecimalNumber(word);
    }
    double seconds = values[0], minutes = values[1], hours = values[2], days = values[3];
    double mode = std::trunc(values[4]);  // compared as a double: no overflow for huge modes
    double offsetDays = ((seconds / 60.0 + minutes) / 60.0 + hours) / 24.0 + days;

    double time;
    if (mode == 0.0)
        time = currentMjd + offsetDays;
    else if (mode == 1.0)
        time = (currentMjd - std::fmod(currentMjd, 1.0)) + offsetDays;
    else if (mode == 2.0)
        time = -offsetDays;
    else
        return;
    std::snprintf(dataA, kFieldSize, "%.5f", time);
}

void CommandComposer::EmitRecord(Terminal &terminal) const {
    char record[5 * kFieldSize];
    FormatComposerRecord(record, sizeof(record), code, dataA, dataB, dataC, dataD);
    terminal.AppendText(record);
}
