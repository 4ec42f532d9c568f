// Command records: the one-line texts by which the spacecraft is commanded.
//
//   code;time;u1;u2;u3;v1;v2;v3;w1;w2;w3
//
// A record is a function code (decimal integer), a time (MJD when greater
// than 0, otherwise an offset in days after the moment the command can
// arrive) and up to three parameter triples u, v, w. Fields are separated by
// ";"; empty fields between separators are skipped, a trailing ";" is allowed,
// fields after the eleventh are ignored, missing fields read as 0 and a field
// that is not a number reads as 0.
//
// The function codes and the two forms the trajectory programs write,
// "210;%.5f;%.4f;%.4f;%.4f;" (attitude: u the direction) and
// "130;%.5f;0;%.4f;" (burn: u[1] the velocity increment in m/s), are in
// RecordFormat.h; the command composer writes "%s;%s;%s;%s;%s" from its
// fields (FormatComposerRecord).
#ifndef OKUL_TERMINAL_COMMANDRECORD_H
#define OKUL_TERMINAL_COMMANDRECORD_H

#include <OrbiterAPI.h>

#include "RecordFormat.h"

#include <cstddef>

struct CommandRecord {
    int code;
    double time;
    VECTOR3 vector1;  // u
    VECTOR3 vector2;  // v
    VECTOR3 vector3;  // w
};

// One non-empty field of a record line: `length` characters from `text`
// (not terminated at the field's end).
struct CommandRecordField {
    const char *text;
    int length;
};

const int kCommandRecordMaxFields = 11;

// Splits a record line at ";" into its non-empty fields, in order, at most
// `maxFields` of them. Returns the number of fields found.
int SplitCommandRecord(const char *line, CommandRecordField *fields, int maxFields);

// Reads a record line. Returns false for an empty line (no record); the
// record is then all zero.
bool ReadCommandRecord(const char *line, CommandRecord &record);

// The composer's record: its five texts joined by ";". Cut to fit `size`
// bytes (terminated whenever size > 0). Returns the length written.
int FormatComposerRecord(char *out, std::size_t size, const char *code, const char *time, const char *vector1,
                         const char *vector2, const char *vector3);

#endif  // OKUL_TERMINAL_COMMANDRECORD_H
