// The program interface of the host spacecraft, as its module publishes it:
// a command link and a status text. The console reaches it through the host
// object's class layout (see module/HostSpacecraft.h).
#ifndef OKUL_PANEL_SHIPPROGRAM_H
#define OKUL_PANEL_SHIPPROGRAM_H

#include <OrbiterAPI.h>

class SHIPprg {
public:
    // A timed command: stored line index (0..9, or 15 for the console's own
    // pointing), command code, time (MJD) and three parameter vectors. The
    // result is not used.
    virtual double ExecuteCommand(int line, int code, double time, VECTOR3 a, VECTOR3 b, VECTOR3 c) = 0;
    // The host's status: a zero-terminated text of at most `capacity` bytes,
    // lines separated by "+". The result is not used.
    virtual int GetStatusText(int capacity, char *buffer) = 0;
};

#endif  // OKUL_PANEL_SHIPPROGRAM_H
