// The program interface of the host spacecraft, as the host add-on publishes
// it for modules that ride on its vessels: a timed command link and a status
// text. A host class derives from VESSEL2 first and SHIPprg second, so a
// module that knows the class reaches this part through the class layout.
#ifndef OKUL_HOSTS_SHIPPRG_H
#define OKUL_HOSTS_SHIPPRG_H

#include <OrbiterAPI.h>

class SHIPprg {
public:
    // A timed command: the sender's line number, the command code, the time
    // (MJD) at which it is to be carried out, and three parameter vectors.
    // Returns 0 when the command was accepted, -1 when it was refused.
    virtual double ExecuteCommand(int line, int code, double time, VECTOR3 a, VECTOR3 b, VECTOR3 c) = 0;
    // Writes the status text, lines separated by "+", zero-terminated and cut
    // to `capacity` bytes. Returns the number of bytes written before the zero.
    virtual int GetStatusText(int capacity, char *buffer) = 0;
};

#endif  // OKUL_HOSTS_SHIPPRG_H
