#include "CommandRecord.h"

#include "DecimalReading.h"

#include <cstdio>
#include <cstring>

namespace {

// A field copied out of its line so that it can be read as a number. Fields
// are at most a line long; a longer one keeps its first characters.
struct FieldText {
    char text[128];
    explicit FieldText(const CommandRecordField &field) {
        const int capacity = static_cast<int>(sizeof(text)) - 1;
        int length = field.length < capacity ? field.length : capacity;
        std::memcpy(text, field.text, length);
        text[length] = '\0';
    }
};

}  // namespace

int SplitCommandRecord(const char *line, CommandRecordField *fields, int maxFields) {
    if (!line || !fields) return 0;
    int count = 0;
    const char *position = line;
    while (*position && count < maxFields) {
        while (*position == ';') ++position;
        if (!*position) break;
        const char *end = std::strchr(position, ';');
        int length = end ? static_cast<int>(end - position) : static_cast<int>(std::strlen(position));
        fields[count].text = position;
        fields[count].length = length;
        ++count;
        position += length;
    }
    return count;
}

bool ReadCommandRecord(const char *line, CommandRecord &record) {
    std::memset(&record, 0, sizeof(record));
    if (!line || !*line) return false;
    CommandRecordField fields[kCommandRecordMaxFields];
    int count = SplitCommandRecord(line, fields, kCommandRecordMaxFields);
    if (count > 0) record.code = ReadDecimalInt(FieldText(fields[0]).text);
    if (count > 1) record.time = ReadDecimalNumber(FieldText(fields[1]).text);
    double *vectors[3] = {record.vector1.data, record.vector2.data, record.vector3.data};
    for (int i = 2; i < count; ++i) {
        int index = i - 2;
        vectors[index / 3][index % 3] = ReadDecimalNumber(FieldText(fields[i]).text);
    }
    return true;
}

int FormatComposerRecord(char *out, std::size_t size, const char *code, const char *time, const char *vector1,
                         const char *vector2, const char *vector3) {
    if (!out || size == 0) return 0;
    int written = std::snprintf(out, size, "%s;%s;%s;%s;%s", code, time, vector1, vector2, vector3);
    if (written < 0) {
        out[0] = '\0';
        return 0;
    }
    return written < static_cast<int>(size) ? written : static_cast<int>(size) - 1;
}
