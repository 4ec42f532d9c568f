// The text console of the on-board computer, shown in panel area 51.
//
// It holds a scrolling screen of 42 lines on which every message of the
// console appears (newest on top, directly under the edit line), the edit
// line the user types commands into, and ten stored lines (the terminal's
// "file") holding command records for transmission. It also owns the states
// of the three trajectory programs and the frame table.
//
// The screen is a ring: a new line is written *before* the newest one, so
// `newestLine` moves down by one (from 0 it wraps to 41) and the oldest line
// is the one overwritten.
//
// Texts are Windows-1251 bytes. Every buffer keeps its terminating zero:
// text that would not fit is cut at the buffer's end.
#ifndef OKUL_TERMINAL_TERMINAL_H
#define OKUL_TERMINAL_TERMINAL_H

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include "FrameTable.h"
#include "PieProgram.h"
#include "PleProgram.h"
#include "PlmProgram.h"

class Terminal {
public:
    static const int kScreenLineCount = 42;
    static const int kLineSize = 110;      // screen and stored lines: at most 109 characters
    static const int kEditLineSize = 112;  // edit line: at most 111 characters
    static const int kFileLineCount = 10;
    static const int kMaxTypedLength = 91;       // keys typed beyond this are dropped
    static const int kMaxLengthForAppend = 100;  // AppendText is ignored on a longer line
    static const int kKeptByMinus = 5;           // the minus key keeps this many characters

    // `owner` is the console vessel's own interface (null only in tests that
    // never need the vessel).
    explicit Terminal(VESSEL *owner);
    Terminal(const Terminal &) = delete;
    Terminal &operator=(const Terminal &) = delete;

    // Puts a line on top of the screen, cut to 109 characters. This is the one
    // way messages reach the user. A null text adds an empty line.
    void AddLine(const char *text);
    // AddLine with a printf-style format.
    void AddFormattedLine(const char *format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    // A typed character; dropped once the line holds 91 characters.
    void AppendChar(char c);
    // Text from the command composer; ignored when the line holds more than
    // 100 characters, otherwise appended as far as the edit line has room.
    void AppendText(const char *text);
    // Removes the last character of the edit line, if any.
    void Backspace();
    // Keeps the first five characters of the edit line (the command word and
    // its space, "ADD X").
    void TruncateEditLine();
    // Empties all 42 screen lines; `newestLine` stays where it is.
    void ClearScreen();
    // Empties the ten stored lines.
    void ClearFile();
    // Echoes the edit line to the screen, empties it and carries out the command.
    void Execute();

    // Draws the edit line and the screen, newest line first, onto the surface
    // of panel area 51 (410 x 442 pixels).
    void Draw(SURFHANDLE surface);

    // The buffered-key callback's first stage. While keys are captured, a key
    // press from the terminal's key table types, edits or executes and
    // returns 1; everything else returns 0 and goes on to the panel.
    int ConsumeBufferedKey(DWORD key, bool down);

    VESSEL *owner;
    char screenLines[kScreenLineCount][kLineSize];
    int newestLine;
    char editLine[kEditLineSize];
    int editCount;  // always the length of editLine
    bool captureKeys;
    char fileLines[kFileLineCount][kLineSize];
    PlmProgram plmProgram;
    PieProgram pieProgram;
    PleProgram pleProgram;
    FrameTable frameTable;
};

// Copies `text` into a line buffer of `size` bytes, cut to size - 1 bytes.
// Reads no further than that, so the source need not be terminated within it.
void CopyLine(char *destination, int size, const char *text);

#endif  // OKUL_TERMINAL_TERMINAL_H
