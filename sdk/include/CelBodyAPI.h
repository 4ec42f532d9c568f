// Orbiter 2006 celestial-body interface: the ephemeris a body's module answers.
#ifndef __CELBODYAPI_H
#define __CELBODYAPI_H

#include "OrbiterAPI.h"

class OAPIFUNC CELBODY {
public:
    CELBODY();
    virtual ~CELBODY();

    virtual void clbkInit(FILEHANDLE cfg);

    // true if the body supplies an ephemeris through clbkEphemeris
    virtual bool bEphemeris() const;

    // Ephemeris at date mjd. req: the EPHEM_* flags wanted; ret: 12 doubles
    // (true position 0-2, true velocity 3-5, barycentric position 6-8,
    // barycentric velocity 9-11). Returns the EPHEM_* flags describing what
    // was written (with EPHEM_POLAR: longitude, latitude, radius in AU and
    // their rates per second).
    virtual int clbkEphemeris(double mjd, int req, double *ret);
    virtual int clbkFastEphemeris(double simt, int req, double *ret);
};

#endif  // __CELBODYAPI_H
