#include "HostStatusDisplay.h"

#include <cstring>

#include "CommandRecord.h"
#include "CommandTransmission.h"
#include "DecimalReading.h"
#include "PanelDc.h"

namespace {

const int kStatusTextSize = 1024;
const char kLineSeparator = '+';
const char kValuesLineWord[] = "ВКС";
const int kValuesLineWordLength = sizeof(kValuesLineWord) - 1;
const int kTextLeft = 3;
const int kFirstLineTop = 3;
const int kLineSpacing = 10;

// A field of a line copied out so that it can be read as a number.
struct FieldCopy {
    char text[kStatusTextSize];
    explicit FieldCopy(const CommandRecordField &field) {
        const int length = field.length < kStatusTextSize - 1 ? field.length : kStatusTextSize - 1;
        std::memcpy(text, field.text, length);
        text[length] = '\0';
    }
};

}  // namespace

void ReadHostValues(const char *line, int length, int &hostMode, double &hostValueA, double &hostValueB) {
    if (!line || length < kValuesLineWordLength) return;
    if (std::memcmp(line, kValuesLineWord, kValuesLineWordLength) != 0) return;
    char copy[kStatusTextSize];
    if (length > kStatusTextSize - 1) length = kStatusTextSize - 1;
    std::memcpy(copy, line, length);
    copy[length] = '\0';
    CommandRecordField fields[4];  // the leading word and three values
    const int count = SplitCommandRecord(copy, fields, 4);
    if (count > 1) hostMode = ReadDecimalInt(FieldCopy(fields[1]).text);
    if (count > 2) hostValueA = ReadDecimalNumber(FieldCopy(fields[2]).text);
    if (count > 3) hostValueB = ReadDecimalNumber(FieldCopy(fields[3]).text);
}

void DrawHostStatus(SURFHANDLE surface, PanelFields &fields) {
    if (fields.linking) return;
    char text[kStatusTextSize];
    text[0] = '\0';
    if (fields.hostProgram) fields.hostProgram->GetStatusText(kStatusTextSize, text);
    text[kStatusTextSize - 1] = '\0';  // whatever the host wrote, the text ends here
    {
        PanelDc panel(surface);
        int lineCount = 0;
        const char *position = text;
        while (*position) {
            while (*position == kLineSeparator) ++position;
            if (!*position) break;
            const char *end = std::strchr(position, kLineSeparator);
            const int length =
                end ? static_cast<int>(end - position) : static_cast<int>(std::strlen(position));
            if (panel)
                TextOutA(panel.dc(), kTextLeft, kFirstLineTop + kLineSpacing * lineCount, position, length);
            ReadHostValues(position, length, fields.hostMode, fields.hostValueA, fields.hostValueB);
            ++lineCount;
            position += length;
        }
        if (lineCount == 0) return;
    }
    fields.transmissionEstimate = TransmissionEstimate(fields.terminal.fileLines, fields.lightTime);
}
