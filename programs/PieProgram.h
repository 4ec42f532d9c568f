// PIE: prediction of the flight back to Earth and its correction.
#ifndef OKUL_PROGRAMS_PIEPROGRAM_H
#define OKUL_PROGRAMS_PIEPROGRAM_H

#include <OrbiterAPI.h>
#include <VesselAPI.h>

class PieProgram {
public:
    explicit PieProgram(VESSEL *owner) : owner(owner) {}

    VESSEL *owner;
};

#endif  // OKUL_PROGRAMS_PIEPROGRAM_H
