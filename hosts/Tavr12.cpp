// The module library of the interplanetary spacecraft.
#include "Tavr12.h"

#include <new>

namespace {

// A Mars spacecraft of the mid-1970s: about 4.9 t fuelled, a correction and
// braking engine of four chambers of 4.8 kN each.
const HostFigures kTavr12Figures = {
    2900.0,             // empty mass, kg
    2000.0,             // propellant, kg
    5.0,                // size, m
    {{2.5, 2.5, 1.8}},  // moments of inertia per unit mass, m²
    4,                  // main-engine thrusters
    4800.0,             // N each
    3150.0,             // specific impulse, m/s
    0.6,                // nozzle ring radius, m
    -1.8,               // nozzle ring position on z, m
    0,                  // default mode: +y toward Earth
    true,               // takes the console over when it relinks here
};

}  // namespace

Tavr12::Tavr12(OBJHANDLE hVessel, int flightModel) : HostVessel(hVessel, flightModel, kTavr12Figures) {}

DLLCLBK void InitModule(HINSTANCE hModule) {}

DLLCLBK void ExitModule(HINSTANCE hModule) {}

DLLCLBK VESSEL *ovcInit(OBJHANDLE hvessel, int flightmodel) {
    return new (std::nothrow) Tavr12(hvessel, flightmodel);
}

DLLCLBK void ovcExit(VESSEL *vessel) {
    if (vessel) delete static_cast<Tavr12 *>(vessel);
}

DLLCLBK int GetModuleVersion(void) {
    static const int version = HostInterfaceVersion();
    return version;
}
