// Fuzz target of the BMP decoder behind the modules' bitmap resources (and
// the runner's expectbmp): any bytes, as a file or a bare DIB. A picture that
// decodes is made into a GDI bitmap and a surface and freed again.
//
// Checked: a decoded picture has the size its header gives (within the
// decoder's limits) and no pixel data larger than the input could hold; what
// is made from it is freed.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <windows.h>

#include "FuzzSupport.h"
#include "gdi/BmpDecoder.h"
#include "gdi/SurfaceHandles.h"

using fuzzsupport::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::string error;
    const std::unique_ptr<sim::Surface> picture = sim::decodeBmp(data, size, error);
    if (!picture) {
        Require(!error.empty(), "a refusal without a reason");
        return 0;
    }
    Require(picture->width() > 0 && picture->height() > 0 && picture->width() <= 32768 &&
                picture->height() <= 32768,
            "a picture of impossible size");
    // At least one bit per pixel came from the input.
    Require(static_cast<std::size_t>(picture->width()) * picture->height() <= size * 8,
            "more pixels than the input holds");

    const sim::GdiCounts before = sim::liveGdiCounts();
    HBITMAP bitmap = sim::createBitmap(*picture);
    SURFHANDLE surface = sim::createSurface(*picture);
    Require(bitmap != nullptr && surface != nullptr, "no bitmap or surface from a picture");
    DeleteObject(bitmap);
    sim::destroySurface(surface);
    const sim::GdiCounts after = sim::liveGdiCounts();
    Require(before.surfaces == after.surfaces && before.objects == after.objects, "a bitmap or surface kept");
    return 0;
}
