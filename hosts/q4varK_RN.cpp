// The module library of the launch-vehicle stack.
#include "q4varK_RN.h"

#include <new>

namespace {

// An upper stage of about 85 kN carrying the spacecraft: 22 t in low orbit.
const HostFigures kLaunchStackFigures = {
    7200.0,             // empty mass (stage and spacecraft), kg
    15000.0,            // propellant, kg
    12.0,               // size, m
    {{9.0, 9.0, 2.5}},  // moments of inertia per unit mass, m²
    4,                  // main-engine thrusters
    21250.0,            // N each
    3450.0,             // specific impulse, m/s
    0.9,                // nozzle ring radius, m
    -5.5,               // nozzle ring position on z, m
    1,                  // default mode: hold the attitude
    false,              // hands the console over to the spacecraft
};

}  // namespace

q4varK_RN::q4varK_RN(OBJHANDLE hVessel, int flightModel)
    : HostVessel(hVessel, flightModel, kLaunchStackFigures) {}

DLLCLBK void InitModule(HINSTANCE hModule) {}

DLLCLBK void ExitModule(HINSTANCE hModule) {}

DLLCLBK VESSEL *ovcInit(OBJHANDLE hvessel, int flightmodel) {
    return new (std::nothrow) q4varK_RN(hvessel, flightmodel);
}

DLLCLBK void ovcExit(VESSEL *vessel) {
    if (vessel) delete static_cast<q4varK_RN *>(vessel);
}

DLLCLBK int GetModuleVersion(void) {
    static const int version = HostInterfaceVersion();
    return version;
}
