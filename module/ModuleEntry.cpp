// The library's entry points: the simulator loads the module, creates and
// destroys its vessels, and asks for the interface date it was built for.
#include <cstdio>
#include <cstring>
#include <new>

#include "DrawingObjects.h"
#include "ModuleVersion.h"
#include "OkulVessel.h"

DLLCLBK void InitModule(HINSTANCE hModule) {
    DrawingObjects &objects = ModuleDrawingObjects();
    objects.moduleInstance = hModule;
    char face[] = "Arial";
    objects.fontSmall = CreateFontA(-10, 0, 0, 900, 10, 0, 0, 0, 204, 0, 0, 0, 0, face);
    objects.fontLarge = CreateFontA(-12, 0, 0, 900, 10, 0, 0, 0, 204, 0, 0, 0, 0, face);
    objects.brushBlack = CreateSolidBrush(RGB(0, 0, 0));
}

DLLCLBK void ExitModule(HINSTANCE hModule) {
    DrawingObjects &objects = ModuleDrawingObjects();
    DeleteObject(objects.fontSmall);
    DeleteObject(objects.fontLarge);
    DeleteObject(objects.brushBlack);
    objects.fontSmall = nullptr;
    objects.fontLarge = nullptr;
    objects.brushBlack = nullptr;
}

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
