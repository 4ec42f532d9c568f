// PLE: increment that brings the vessel to its entry point over the Earth.
#ifndef OKUL_PROGRAMS_PLEPROGRAM_H
#define OKUL_PROGRAMS_PLEPROGRAM_H

#include <OrbiterAPI.h>
#include <VesselAPI.h>

class PleProgram {
public:
    explicit PleProgram(VESSEL *owner) : owner(owner) {}

    VESSEL *owner;
};

#endif  // OKUL_PROGRAMS_PLEPROGRAM_H
