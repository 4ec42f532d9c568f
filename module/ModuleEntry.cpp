// The library's entry points: the simulator loads the module, creates and
// destroys its vessels, and asks for the interface date it was built for.
#include <cstdio>
#include <cstring>
#include <new>

#include "DrawingObjects.h"
#include "ModuleVersion.h"
#include "OkulVessel.h"

DLLCLBK void InitModule(HINSTANCE hModule) { CreateModuleDrawingObjects(hModule); }

DLLCLBK void ExitModule(HINSTANCE hModule) { ReleaseModuleDrawingObjects(); }

DLLCLBK VESSEL *ovcInit(OBJHANDLE hvessel, int flightmodel) {
    return new (std::nothrow) OkulVessel(hvessel, flightmodel);
}

DLLCLBK void ovcExit(VESSEL *vessel) {
    // VESSEL has no virtual destructor: destroy the object as what it is.
    if (vessel) delete static_cast<OkulVessel *>(vessel);
}

DLLCLBK int GetModuleVersion(void) {
    static const int version = ModuleVersionFromDate("Apr 25 2006");
    return version;
}
