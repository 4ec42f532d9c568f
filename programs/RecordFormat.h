// The command codes of the spacecraft's command records, and the two record
// forms the trajectory programs write. The record text itself (fields, the
// reading rules) is described with the reader in terminal/CommandRecord.h.
#ifndef OKUL_PROGRAMS_RECORDFORMAT_H
#define OKUL_PROGRAMS_RECORDFORMAT_H

#include <OrbiterAPI.h>

#include <cstddef>

// Function codes. The console carries out 310, 600, 610 and 620 itself; every
// other code goes to the host spacecraft, which knows 130 and 210 among others.
enum CommandCode {
    kCodeBurn = 130,            // main engine: vector 1's second value is the increment, m/s
    kCodeAttitude = 210,        // turn: vector 1 is the direction of +z
    kCodeSwitchHost = 310,      // relink the console to the interplanetary spacecraft
    kCodeScheduleFrame = 600,   // take a photograph: vector 1 pointing/channel/optics, vector 2 receiver
    kCodeTransmitFrames = 610,  // send frames vector1[0] .. vector1[1] to Earth
    kCodeFrameReport = 620      // list the frames and their states
};

// "210;%.5f;%.4f;%.4f;%.4f;": attitude record with its time (days) and the
// direction. Cut to fit `size` bytes.
void FormatAttitudeRecord(char *out, std::size_t size, double time, const VECTOR3 &direction);

// "130;%.5f;0;%.4f;": burn record with its time (days) and the increment in
// m/s. Cut to fit `size` bytes.
void FormatBurnRecord(char *out, std::size_t size, double time, double increment);

#endif  // OKUL_PROGRAMS_RECORDFORMAT_H
