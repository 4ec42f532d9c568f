// The CELBODY base class: a body without an ephemeris of its own.
#include <CelBodyAPI.h>

CELBODY::CELBODY() {}

CELBODY::~CELBODY() {}

void CELBODY::clbkInit(FILEHANDLE cfg) {}

bool CELBODY::bEphemeris() const { return false; }

int CELBODY::clbkEphemeris(double mjd, int req, double *ret) { return 0; }

int CELBODY::clbkFastEphemeris(double simt, int req, double *ret) { return 0; }
