// A simulator surface with a device context lent on it, for tests of what
// is drawn.
#pragma once

#include <OrbiterAPI.h>

#include <algorithm>
#include <cstdint>

#include "gdi/Surface.h"
#include "gdi/SurfaceHandles.h"

namespace testsupport {

// A black surface of the given size and a DC lent on it.
class SurfaceDc {
public:
    SurfaceDc(int width, int height) : handle(oapiCreateSurface(width, height)), dc(oapiGetDC(handle)) {}
    ~SurfaceDc() {
        oapiReleaseDC(handle, dc);
        oapiDestroySurface(handle);
    }
    SurfaceDc(const SurfaceDc &) = delete;
    SurfaceDc &operator=(const SurfaceDc &) = delete;

    sim::Surface &surface() const { return *sim::surfaceFromHandle(handle); }
    // COLORREF of a pixel.
    COLORREF at(int x, int y) const { return sim::Surface::toColorref(surface().pixel(x, y)); }
    // Bounding box of the pixels that differ from `background`
    // (left, top, right, bottom, right/bottom inclusive); false when none.
    bool ink(RECT &box, COLORREF background = RGB(0, 0, 0)) const {
        const std::uint32_t back = sim::Surface::fromColorref(background);
        box = RECT{1 << 30, 1 << 30, -1, -1};
        for (int y = 0; y < surface().height(); ++y)
            for (int x = 0; x < surface().width(); ++x)
                if (surface().pixel(x, y) != back) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x);
                    box.bottom = std::max<LONG>(box.bottom, y);
                }
        return box.right >= 0;
    }

    SURFHANDLE handle;
    HDC dc;
};

}  // namespace testsupport
