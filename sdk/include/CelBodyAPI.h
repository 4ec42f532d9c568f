// Orbiter 2006 celestial-body interface: the ephemeris a body's module answers.
//
// Like the simulator's own header this one includes nothing: a source
// includes OrbiterAPI.h first.
#ifndef __CELBODYAPI_H
#define __CELBODYAPI_H

// Ephemeris request and result flags.
#define EPHEM_TRUEPOS 0x01     // true body position
#define EPHEM_TRUEVEL 0x02     // true body velocity
#define EPHEM_BARYPOS 0x04     // barycentric position
#define EPHEM_BARYVEL 0x08     // barycentric velocity
#define EPHEM_BARYISTRUE 0x10  // the body has no children: barycentric and true agree
#define EPHEM_PARENTBARY 0x20  // the state is relative to the parent's barycentre
#define EPHEM_POLAR 0x40       // polar coordinates: longitude, latitude, radius (AU) and rates

// Atmospheric parameters at an altitude.
typedef struct {
    double T;    // temperature [K]
    double p;    // pressure [Pa]
    double rho;  // density [kg/m^3]
} ATMPARAM;

// No virtual destructor: a body module creates and destroys its own.
class OAPIFUNC CELBODY {
public:
    CELBODY();

    int Version() const { return version; }

    // Slots in the simulator's order.
    // true if the body supplies an ephemeris through clbkEphemeris
    virtual bool bEphemeris() const;
    virtual void clbkInit(FILEHANDLE cfg);
    // Ephemeris at date mjd. req: the EPHEM_* flags wanted; ret: 12 doubles
    // (true position 0-2, true velocity 3-5, barycentric position 6-8,
    // barycentric velocity 9-11). Returns the EPHEM_* flags describing what
    // was written (with EPHEM_POLAR: longitude, latitude, radius in AU and
    // their rates per second).
    virtual int clbkEphemeris(double mjd, int req, double *ret);
    virtual int clbkFastEphemeris(double simt, int req, double *ret);
    // Atmosphere at altitude alt [m]; false for a body without one.
    virtual bool clbkAtmParam(double alt, ATMPARAM *prm);

protected:
    short version;
};

#endif  // __CELBODYAPI_H
