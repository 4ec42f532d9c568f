// Shapes, lines, pixels and block transfers on device contexts.
//
// Conventions (those of GDI):
// - Rectangle(l, t, r, b) covers x in [l, r) and y in [t, b): the outline
//   (a 1-pixel pen) runs along columns l and r - 1 and rows t and b - 1, the
//   brush fills the inside. With the null pen there is no outline, and the
//   brush fills [l, r - 1) x [t, b - 1): one pixel less each way, as GDI
//   fills a rectangle whose outline is not drawn. The outline of a 1 x 1
//   rectangle is a point and is not drawn.
// - FillRect and BitBlt take a rectangle given from its far end (right <
//   left, or a negative extent) as the pixels before the start: FillRect
//   from right + 1 to left, BitBlt from x + cx + 1 to x.
// - A line is drawn from its start point up to, not including, its end
//   point, and LineTo leaves the current position at the end point. Pens
//   wider than one pixel draw a square of their width at every point.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "gdi/linux/GdiRegistry.h"

using namespace sim::gdi;
using sim::Surface;

namespace {

void plot(Surface &surface, int x, int y, int width, std::uint32_t colour) {
    if (width <= 1) {
        surface.setPixel(x, y, colour);
        return;
    }
    const int left = x - width / 2, top = y - width / 2;
    surface.fillRect(left, top, left + width, top + width, colour);
}

// Bresenham's line as GDI draws it: along the major axis one pixel a step,
// the minor axis following the error term. Where the ideal line passes
// exactly half-way between two pixels, a shallow line heading down and a
// steep line heading right keep to their row or column, the others take the
// step (the octants Wine biases).
void drawLine(Surface &surface, int x0, int y0, int x1, int y1, int width, std::uint32_t colour) {
    const int dx = x1 - x0, dy = y1 - y0;
    const int major = std::max(std::abs(dx), std::abs(dy)), minor = std::min(std::abs(dx), std::abs(dy));
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int stepX = dx > 0 ? 1 : -1, stepY = dy > 0 ? 1 : -1;
    const bool keepOnTie = xMajor ? dy >= 0 : dx >= 0;
    int error = 2 * minor - major;
    int x = x0, y = y0;
    for (int i = 0; i < major; ++i) {
        plot(surface, x, y, width, colour);
        if (error > 0 || (error == 0 && !keepOnTie)) {
            if (xMajor)
                y += stepY;
            else
                x += stepX;
            error -= 2 * major;
        }
        error += 2 * minor;
        if (xMajor)
            x += stepX;
        else
            y += stepY;
    }
}

// A span given from its far end (start > end) covers end + 1 to start, as
// GDI's block fills take a negative extent.
void normaliseExtent(int &start, int &end) {
    if (start <= end) return;
    const int from = end + 1;
    end = start + 1;
    start = from;
}

}  // namespace

extern "C" {

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext *dc = registry().context(hdc);
    if (dc == nullptr) return FALSE;
    Surface *surface = dc->target();
    if (surface == nullptr) return TRUE;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (left == right || top == bottom) return TRUE;
    std::uint32_t pen = 0, brush = 0;
    const bool outline = penColour(*dc, pen);
    const bool filled = brushColour(*dc, brush);
    if (!outline) {
        if (filled) surface->fillRect(left, top, right - 1, bottom - 1, brush);
        return TRUE;
    }
    // The outline of a one-pixel rectangle shrinks to a point, which is not drawn.
    if (right - left == 1 && bottom - top == 1) return TRUE;
    if (filled) surface->fillRect(left + 1, top + 1, right - 1, bottom - 1, brush);
    surface->fillRect(left, top, right, top + 1, pen);
    surface->fillRect(left, bottom - 1, right, bottom, pen);
    surface->fillRect(left, top, left + 1, bottom, pen);
    surface->fillRect(right - 1, top, right, bottom, pen);
    return TRUE;
}

int WINAPI FillRect(HDC hDC, const RECT *lprc, HBRUSH hbr) {
    Registry &gdi = registry();
    DeviceContext *dc = gdi.context(hDC);
    GdiObject *object = gdi.object(hbr);
    if (dc == nullptr || lprc == nullptr || object == nullptr || object->kind != ObjectKind::Brush) return 0;
    auto *brush = static_cast<Brush *>(object);
    Surface *surface = dc->target();
    if (surface == nullptr || brush->null) return 1;
    const COLORREF colour = brush->dcBrush ? dc->dcBrushColour : brush->colour;
    int left = lprc->left, top = lprc->top, right = lprc->right, bottom = lprc->bottom;
    normaliseExtent(left, right);
    normaliseExtent(top, bottom);
    surface->fillRect(left, top, right, bottom, Surface::fromColorref(colour));
    return 1;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DeviceContext *dc = registry().context(hdc);
    if (dc == nullptr) return FALSE;
    if (lppt != nullptr) *lppt = dc->position;
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    DeviceContext *dc = registry().context(hdc);
    if (dc == nullptr) return FALSE;
    std::uint32_t colour = 0;
    Surface *surface = dc->target();
    if (surface != nullptr && penColour(*dc, colour))
        drawLine(*surface, dc->position.x, dc->position.y, x, y, dc->pen->width, colour);
    dc->position = POINT{x, y};
    return TRUE;
}

// Outside the surface: CLR_INVALID (whose components read as 255, 255, 255).
COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    DeviceContext *dc = registry().context(hdc);
    Surface *surface = dc == nullptr ? nullptr : dc->target();
    if (surface == nullptr || !surface->contains(x, y)) return CLR_INVALID;
    return Surface::toColorref(surface->pixel(x, y));
}

// Returns the colour set, or CLR_INVALID (-1) outside the surface, as
// Windows documents it (Wine returns the colour there as well; the module
// does not read the result).
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext *dc = registry().context(hdc);
    Surface *surface = dc == nullptr ? nullptr : dc->target();
    if (surface == nullptr || !surface->contains(x, y)) return CLR_INVALID;
    surface->setPixel(x, y, Surface::fromColorref(color));
    return color & 0x00FFFFFF;
}

// SRCCOPY, BLACKNESS and WHITENESS; other raster operations fail.
BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    Registry &gdi = registry();
    DeviceContext *dc = gdi.context(hdc);
    if (dc == nullptr) return FALSE;
    Surface *target = dc->target();
    // A negative extent covers the pixels before the start: x + cx + 1 to x.
    if (cx < 0) {
        x += cx + 1;
        x1 += cx + 1;
        cx = -cx;
    }
    if (cy < 0) {
        y += cy + 1;
        y1 += cy + 1;
        cy = -cy;
    }
    if (rop == BLACKNESS || rop == WHITENESS) {
        if (target != nullptr) target->fillRect(x, y, x + cx, y + cy, rop == BLACKNESS ? 0u : 0x00FFFFFFu);
        return TRUE;
    }
    if (rop != SRCCOPY) return FALSE;
    DeviceContext *source = gdi.context(hdcSrc);
    if (source == nullptr) return FALSE;
    if (target != nullptr && source->target() != nullptr)
        target->copyFrom(*source->target(), x1, y1, cx, cy, x, y);
    return TRUE;
}

}  // extern "C"
