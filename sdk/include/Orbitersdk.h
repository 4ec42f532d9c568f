// Convenience header as shipped with the SDK.
#ifndef __ORBITERSDK_H
#define __ORBITERSDK_H
#include "OrbiterAPI.h"
#include "VesselAPI.h"
#include "CelBodyAPI.h"
#endif
