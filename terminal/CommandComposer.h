// The command composer of the main panel: six text fields from which the
// user builds a command record.
//
//   area 100  code     function code
//   area 101  data A   time
//   area 102  data B   vector 1 ("0;0;0" at start)
//   area 103  data C   vector 2
//   area 104  data D   vector 3
//   area 105  offset   input of the time calculator, "s;m;h;d;mode"
//
// A click on a field requests its input box; the box opens on the vessel's
// next direct-key callback (OpenInput), outside the mouse callback. The time
// calculator turns the offset into data A, the pointing button fills data B
// and C with the console's axes, and the record button appends the record to
// the terminal's edit line.
#ifndef OKUL_TERMINAL_COMMANDCOMPOSER_H
#define OKUL_TERMINAL_COMMANDCOMPOSER_H

#include <OrbiterAPI.h>

class Terminal;

class CommandComposer {
public:
    static const int kFieldSize = 64;  // each field holds at most 63 characters
    static const int kFirstFieldArea = 100;
    static const int kLastFieldArea = 105;

    CommandComposer();

    // A click on field area `areaId` (100 to 105). Ignored while an earlier
    // request is still pending, so of two clicks in one frame the first wins.
    void RequestInput(int areaId);
    // Opens the simulator's input box for field `areaId` and clears the
    // pending request; other ids only clear it.
    void OpenInput(int areaId);
    // which = 0: code and data A empty, data B, C and D "0;0;0".
    // which = 1: offset "0;0;0;0;0".
    void Reset(int which);
    // Data B and C become the console's viewing axis (+z) and its +x axis in
    // global coordinates.
    void TakePointing(const VECTOR3 &axisZ, const VECTOR3 &axisX);
    // Data A from the offset field and the simulator's current date.
    void ComputeTime();
    // Data A from the offset field for the current date `currentMjd`:
    // mode 0 now + offset, mode 1 today's 0 h + offset, mode 2 the relative
    // time -offset; any other mode leaves data A unchanged.
    void ComputeTimeAt(double currentMjd);
    // Appends "code;dataA;dataB;dataC;dataD" to the terminal's edit line.
    void EmitRecord(Terminal &terminal) const;

    // The text of the field of area `areaId`, or null for other ids.
    const char *FieldText(int areaId) const;
    // Title of the input box of area `areaId`, or null for other ids.
    static const char *FieldTitle(int areaId);

    // The input box's callback: copies the entry (cut to 63 characters) into
    // the field given as user data and accepts it.
    static bool AcceptInput(void *box, char *entry, void *field);

    char code[kFieldSize];
    char dataA[kFieldSize];
    char dataB[kFieldSize];
    char dataC[kFieldSize];
    char dataD[kFieldSize];
    char offset[kFieldSize];
    bool inputPending;
    int pendingField;

private:
    char *Field(int areaId);
};

#endif  // OKUL_TERMINAL_COMMANDCOMPOSER_H
