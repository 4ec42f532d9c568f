// The CELBODY base class: a body without an ephemeris or an atmosphere of
// its own.
#include <OrbiterAPI.h>
#include <CelBodyAPI.h>

CELBODY::CELBODY() : version(1) {}

bool CELBODY::bEphemeris() const { return false; }

void CELBODY::clbkInit(FILEHANDLE cfg) {}

int CELBODY::clbkEphemeris(double mjd, int req, double *ret) { return 0; }

int CELBODY::clbkFastEphemeris(double simt, int req, double *ret) { return 0; }

bool CELBODY::clbkAtmParam(double alt, ATMPARAM *prm) { return false; }
