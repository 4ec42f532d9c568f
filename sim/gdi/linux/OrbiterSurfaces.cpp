// The simulator's surface functions: surfaces and the device contexts lent
// on them.
#include <OrbiterAPI.h>

#include "gdi/linux/GdiRegistry.h"
#include "gdi/SurfaceHandles.h"

using namespace sim::gdi;

// Every call lends a fresh device context (default pen, brush, font and
// colours), freed again by oapiReleaseDC.
HDC oapiGetDC(SURFHANDLE surf) {
    Registry &gdi = registry();
    sim::Surface *surface = gdi.surface(surf);
    if (surface == nullptr) return nullptr;
    return contextHandle(gdi.createContext(surface));
}

void oapiReleaseDC(SURFHANDLE surf, HDC hDC) {
    Registry &gdi = registry();
    DeviceContext *dc = gdi.context(hDC);
    if (dc != nullptr && dc->surface != nullptr && dc->surface == gdi.surface(surf)) gdi.deleteContext(dc);
}

SURFHANDLE oapiCreateSurface(int width, int height) {
    if (width < 0 || height < 0) return nullptr;
    return sim::createSurface(width, height);
}

// The surface takes a copy of the bitmap's pixels in the display format
// (32 bits per pixel); with release_bmp the bitmap is deleted.
SURFHANDLE oapiCreateSurface(HBITMAP hBmp, bool release_bmp) {
    const std::unique_ptr<sim::Surface> pixels = sim::bitmapPixels(hBmp);
    if (pixels == nullptr) return nullptr;
    SURFHANDLE handle = sim::createSurface(*pixels);
    sim::surfaceFromHandle(handle)->setBitsPerPixel(32);
    if (release_bmp) DeleteObject(hBmp);
    return handle;
}

void oapiDestroySurface(SURFHANDLE surf) { sim::destroySurface(surf); }
