// The host spacecraft classes of the other module, declared here only so
// that the console can reach their SHIPprg part; the console never creates
// one. Both put VESSEL2 first and SHIPprg second, followed by data of their
// own that the console does not read.
#ifndef OKUL_MODULE_HOSTSPACECRAFT_H
#define OKUL_MODULE_HOSTSPACECRAFT_H

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include "ShipProgram.h"

class Tavr12 : public VESSEL2, public SHIPprg {
public:
    Tavr12(const Tavr12 &) = default;
    Tavr12 &operator=(const Tavr12 &) = default;

private:
    Tavr12() = delete;  // created by the host module only
};

class q4varK_RN : public VESSEL2, public SHIPprg {
public:
    q4varK_RN(const q4varK_RN &) = default;
    q4varK_RN &operator=(const q4varK_RN &) = default;

private:
    q4varK_RN() = delete;
};

// The SHIPprg interface of a host vessel, or null when the vessel is not of
// one of the two host classes (another class with the same name gets no
// interface rather than a pointer into the wrong object).
SHIPprg *HostProgramOf(VESSEL *host);

#endif  // OKUL_MODULE_HOSTSPACECRAFT_H
