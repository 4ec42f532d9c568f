// Surfaces of the Windows build and the device contexts lent on them.
//
// A surface keeps its pixels in a sim::Surface, as on Linux, so that the
// simulator composes panels and views the same way on both platforms. The
// device context oapiGetDC lends is a real memory DC holding a DIB section
// (32 bits, top-down rows: the row layout of a Surface) filled with the
// surface's pixels; the module draws there with the real GDI, and
// oapiReleaseDC brings the pixels back. Texts drawn on such a DC are recorded
// on its surface (gdi/windows/TextCapture).
#include <windows.h>

#include <OrbiterAPI.h>

#include <cstring>
#include <memory>
#include <unordered_map>

#include "gdi/SurfaceHandles.h"
#include "gdi/windows/TextCapture.h"

namespace sim {

namespace {

struct LentContext {
    Surface *surface = nullptr;
    HBITMAP section = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    std::uint32_t *bits = nullptr;
};

class SurfaceRegistry {
public:
    ~SurfaceRegistry() { clear(); }

    Surface *surface(void *handle) {
        auto found = surfaces.find(static_cast<Surface *>(handle));
        return found == surfaces.end() ? nullptr : found->second.get();
    }
    Surface *add(std::unique_ptr<Surface> surface) {
        Surface *raw = surface.get();
        surfaces.emplace(raw, std::move(surface));
        return raw;
    }
    void remove(Surface *surface) {
        for (auto entry = contexts.begin(); entry != contexts.end();) {
            if (entry->second.surface == surface) {
                discard(entry->first, entry->second);
                entry = contexts.erase(entry);
            } else {
                ++entry;
            }
        }
        surfaces.erase(surface);
    }
    HDC lend(Surface &surface);
    bool giveBack(Surface &surface, HDC dc);
    Surface *contextSurface(HDC dc) {
        auto found = contexts.find(dc);
        return found == contexts.end() ? nullptr : found->second.surface;
    }
    void clear() {
        for (auto &entry : contexts) discard(entry.first, entry.second);
        contexts.clear();
        surfaces.clear();
    }
    std::size_t surfaceCount() const { return surfaces.size(); }
    std::size_t contextCount() const { return contexts.size(); }

private:
    static void discard(HDC dc, const LentContext &lent) {
        if (lent.previousBitmap != nullptr) SelectObject(dc, lent.previousBitmap);
        DeleteDC(dc);
        if (lent.section != nullptr) DeleteObject(lent.section);
    }

    std::unordered_map<Surface *, std::unique_ptr<Surface>> surfaces;
    std::unordered_map<HDC, LentContext> contexts;
};

SurfaceRegistry *currentRegistry = nullptr;

SurfaceRegistry &registry() {
    if (currentRegistry == nullptr) {
        currentRegistry = new SurfaceRegistry();
        // The simulator draws texts of its own (MFD pages, the HUD).
        captureTexts(simulatorLibrary());
    }
    return *currentRegistry;
}

// Frees what is left at program exit.
struct RegistryCleanup {
    ~RegistryCleanup() { releaseGdiResources(); }
} registryCleanup;

// A 32-bit top-down DIB section of the given size; null when either side is 0.
HBITMAP createSection(int width, int height, std::uint32_t *&bits) {
    bits = nullptr;
    if (width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *memory = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    if (section != nullptr) bits = static_cast<std::uint32_t *>(memory);
    return section;
}

HDC SurfaceRegistry::lend(Surface &surface) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return nullptr;
    LentContext lent;
    lent.surface = &surface;
    lent.section = createSection(surface.width(), surface.height(), lent.bits);
    if (lent.section != nullptr) {
        std::memcpy(lent.bits, surface.pixels(), std::size_t(surface.width()) * surface.height() * 4);
        lent.previousBitmap = SelectObject(dc, lent.section);
    }
    contexts.emplace(dc, lent);
    return dc;
}

bool SurfaceRegistry::giveBack(Surface &surface, HDC dc) {
    auto found = contexts.find(dc);
    if (found == contexts.end() || found->second.surface != &surface) return false;
    const LentContext lent = found->second;
    contexts.erase(found);
    if (lent.section != nullptr) {
        GdiFlush();
        // GDI may leave the fourth byte of a pixel set; a surface keeps it 0.
        const std::size_t count = std::size_t(surface.width()) * surface.height();
        std::uint32_t *pixels = surface.pixels();
        for (std::size_t i = 0; i < count; ++i) pixels[i] = lent.bits[i] & 0x00FFFFFFu;
    }
    discard(dc, lent);
    return true;
}

}  // namespace

Surface *surfaceFromHandle(SURFHANDLE handle) { return registry().surface(handle); }

SURFHANDLE surfaceHandle(const Surface *surface) {
    return registry().surface(const_cast<Surface *>(surface)) != nullptr ? const_cast<Surface *>(surface)
                                                                         : nullptr;
}

SURFHANDLE createSurface(int width, int height) {
    return registry().add(std::make_unique<Surface>(width, height));
}

SURFHANDLE createSurface(const Surface &pixels) {
    auto copy = std::make_unique<Surface>(pixels);
    copy->clearTexts();
    return registry().add(std::move(copy));
}

SURFHANDLE adoptSurface(std::unique_ptr<Surface> surface) {
    if (!surface) return nullptr;
    return registry().add(std::move(surface));
}

void destroySurface(SURFHANDLE handle) {
    if (Surface *surface = registry().surface(handle)) registry().remove(surface);
}

std::unique_ptr<Surface> bitmapPixels(HBITMAP bitmap) {
    BITMAP description;
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof description, &description) != int(sizeof description))
        return nullptr;
    auto pixels = std::make_unique<Surface>(description.bmWidth, description.bmHeight);
    pixels->setBitsPerPixel(description.bmBitsPixel);
    if (description.bmWidth <= 0 || description.bmHeight <= 0) return pixels;
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = description.bmWidth;
    info.bmiHeader.biHeight = -description.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int lines =
        GetDIBits(screen, bitmap, 0, UINT(description.bmHeight), pixels->pixels(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != description.bmHeight) return nullptr;
    const std::size_t count = std::size_t(pixels->width()) * pixels->height();
    for (std::size_t i = 0; i < count; ++i) pixels->pixels()[i] &= 0x00FFFFFFu;
    return pixels;
}

HBITMAP createBitmap(const Surface &pixels) {
    HDC screen = GetDC(nullptr);
    const int width = pixels.width() > 0 ? pixels.width() : 1,
              height = pixels.height() > 0 ? pixels.height() : 1;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    if (bitmap != nullptr && pixels.width() > 0 && pixels.height() > 0) {
        BITMAPINFO info;
        std::memset(&info, 0, sizeof info);
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = pixels.width();
        info.bmiHeader.biHeight = -pixels.height();
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBits(screen, bitmap, 0, UINT(pixels.height()), pixels.pixels(), &info, DIB_RGB_COLORS);
    }
    ReleaseDC(nullptr, screen);
    return bitmap;
}

GdiCounts liveGdiCounts() {
    SurfaceRegistry &surfaces = registry();
    return GdiCounts{surfaces.surfaceCount(),
                     std::size_t(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)),
                     surfaces.contextCount()};
}

void releaseGdiResources() {
    delete currentRegistry;
    currentRegistry = nullptr;
}

Surface *lentContextSurface(HDC dc) {
    return currentRegistry != nullptr ? currentRegistry->contextSurface(dc) : nullptr;
}

}  // namespace sim

// ---- the oapi surface functions ---------------------------------------------

// Every call lends a fresh device context (default pen, brush, font and
// colours), freed again by oapiReleaseDC.
HDC oapiGetDC(SURFHANDLE surf) {
    sim::Surface *surface = sim::surfaceFromHandle(surf);
    return surface != nullptr ? sim::registry().lend(*surface) : nullptr;
}

void oapiReleaseDC(SURFHANDLE surf, HDC hDC) {
    if (sim::Surface *surface = sim::surfaceFromHandle(surf)) sim::registry().giveBack(*surface, hDC);
}

SURFHANDLE oapiCreateSurface(int width, int height) {
    if (width < 0 || height < 0) return nullptr;
    return sim::createSurface(width, height);
}

// The surface takes a copy of the bitmap's pixels in the display format
// (32 bits per pixel); with release_bmp the bitmap is deleted.
SURFHANDLE oapiCreateSurface(HBITMAP hBmp, bool release_bmp) {
    std::unique_ptr<sim::Surface> pixels = sim::bitmapPixels(hBmp);
    if (pixels == nullptr) return nullptr;
    pixels->setBitsPerPixel(32);
    SURFHANDLE handle = sim::adoptSurface(std::move(pixels));
    if (release_bmp) DeleteObject(hBmp);
    return handle;
}

void oapiDestroySurface(SURFHANDLE surf) { sim::destroySurface(surf); }
