// Device contexts and drawing objects: creation, selection, deletion.
#include <windows.h>

#include <cstring>

#include "gdi/linux/GdiRegistry.h"

using namespace sim::gdi;

namespace {

constexpr int penStyleNull = 5;  // PS_NULL
constexpr int largestBitmapSide = 32768;

}  // namespace

extern "C" {

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    Registry &gdi = registry();
    if (hdc != nullptr && gdi.context(hdc) == nullptr) return nullptr;
    return contextHandle(gdi.createContext(nullptr));
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    Registry &gdi = registry();
    DeviceContext *dc = gdi.context(hdc);
    if (dc == nullptr || cx < 0 || cy < 0 || cx > largestBitmapSide || cy > largestBitmapSide) return nullptr;
    // A zero size gives a 1 x 1 bitmap; otherwise the bitmap takes the depth
    // of the DC's surface (a memory DC holding its first monochrome bitmap
    // makes monochrome bitmaps, as on Windows).
    if (cx == 0 || cy == 0) cx = cy = 1;
    auto bitmap = std::make_unique<Bitmap>(cx, cy);
    if (const sim::Surface *target = dc->target()) bitmap->surface.setBitsPerPixel(target->bitsPerPixel());
    return static_cast<HBITMAP>(objectHandle(gdi.add(std::move(bitmap))));
}

BOOL WINAPI DeleteDC(HDC hdc) {
    Registry &gdi = registry();
    DeviceContext *dc = gdi.context(hdc);
    if (dc == nullptr) return FALSE;
    gdi.deleteContext(dc);
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    Registry &gdi = registry();
    DeviceContext *dc = gdi.context(hdc);
    GdiObject *object = gdi.object(h);
    if (dc == nullptr || object == nullptr) return nullptr;
    switch (object->kind) {
        case ObjectKind::Pen: {
            GdiObject *previous = dc->pen;
            dc->pen = static_cast<Pen *>(object);
            return previous;
        }
        case ObjectKind::Brush: {
            GdiObject *previous = dc->brush;
            dc->brush = static_cast<Brush *>(object);
            return previous;
        }
        case ObjectKind::Font: {
            GdiObject *previous = dc->font;
            dc->font = static_cast<Font *>(object);
            return previous;
        }
        case ObjectKind::Bitmap: {
            auto *bitmap = static_cast<Bitmap *>(object);
            // Bitmaps go only into memory DCs, and into one DC at a time.
            if (!dc->memory()) return nullptr;
            if (bitmap->selectedIn != nullptr && bitmap->selectedIn != dc && !bitmap->stock) return nullptr;
            Bitmap *previous = dc->bitmap;
            if (previous != nullptr && previous->selectedIn == dc) previous->selectedIn = nullptr;
            dc->bitmap = bitmap;
            if (!bitmap->stock) bitmap->selectedIn = dc;
            return previous;
        }
    }
    return nullptr;
}

// Deleting a stock object does nothing and succeeds; an object still selected
// into a device context is kept and FALSE returned (it goes at shutdown).
BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    Registry &gdi = registry();
    GdiObject *object = gdi.object(ho);
    if (object == nullptr) return FALSE;
    if (object->stock) return TRUE;
    return gdi.remove(object) ? TRUE : FALSE;
}

HGDIOBJ WINAPI GetStockObject(int i) { return registry().stockObject(i); }

// Bitmaps describe themselves as device-dependent bitmaps: width, height,
// bytes per row rounded up to 16 bits, one plane, their depth, no bits
// pointer. Other objects are not described.
int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    Bitmap *bitmap = registry().bitmap(h);
    if (bitmap == nullptr) return 0;
    if (pv == nullptr) return int(sizeof(BITMAP));
    if (c < int(sizeof(BITMAP))) return 0;
    const sim::Surface &surface = bitmap->surface;
    BITMAP description;
    std::memset(&description, 0, sizeof description);
    description.bmType = 0;
    description.bmWidth = surface.width();
    description.bmHeight = surface.height();
    description.bmWidthBytes = ((surface.width() * surface.bitsPerPixel() + 15) / 16) * 2;
    description.bmPlanes = 1;
    description.bmBitsPixel = WORD(surface.bitsPerPixel());
    description.bmBits = nullptr;
    std::memcpy(pv, &description, sizeof description);
    return int(sizeof(BITMAP));
}

COLORREF WINAPI SetDCPenColor(HDC hdc, COLORREF color) {
    DeviceContext *dc = registry().context(hdc);
    if (dc == nullptr) return CLR_INVALID;
    const COLORREF previous = dc->dcPenColour;
    dc->dcPenColour = color & 0x00FFFFFF;
    return previous;
}

COLORREF WINAPI SetDCBrushColor(HDC hdc, COLORREF color) {
    DeviceContext *dc = registry().context(hdc);
    if (dc == nullptr) return CLR_INVALID;
    const COLORREF previous = dc->dcBrushColour;
    dc->dcBrushColour = color & 0x00FFFFFF;
    return previous;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    return static_cast<HBRUSH>(
        objectHandle(registry().add(std::make_unique<Brush>(color & 0x00FFFFFF, false, false))));
}

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
    // Every style but PS_NULL draws solid; width 0 means 1 pixel.
    const bool null = iStyle == penStyleNull;
    const int width = cWidth < 1 ? 1 : cWidth;
    return static_cast<HPEN>(
        objectHandle(registry().add(std::make_unique<Pen>(color & 0x00FFFFFF, width, null, false))));
}

// Every face maps to Liberation Sans (metric compatible with Arial); weight
// 600 and above is bold. Width, escapement and orientation are not used:
// in the compatible graphics mode, which modules use, text with escapement 0
// is horizontal whatever the orientation. Underline and strike-out are not
// drawn. The character set only matters for the byte encoding, which is
// Windows-1251 throughout.
HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                         DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                         DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily,
                         LPCSTR pszFaceName) {
    return static_cast<HFONT>(
        objectHandle(registry().add(std::make_unique<Font>(cHeight, cWeight, bItalic != 0))));
}

}  // extern "C"
