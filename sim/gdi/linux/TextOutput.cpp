// Text on device contexts: colours, background mode, alignment, TextOutA and
// text extents. Text bytes are Windows-1251.
//
// The reference point (x, y) is placed by the alignment flags: horizontally
// the left edge (TA_LEFT), the centre (TA_CENTER: left = x - width / 2) or
// the right edge (TA_RIGHT) of the text; vertically the top of the character
// cell (TA_TOP: baseline = y + ascent), the baseline (TA_BASELINE) or the
// bottom of the cell (TA_BOTTOM: baseline = y - descent). With TA_UPDATECP
// the current position is used instead of (x, y) and advanced past the text.
// In OPAQUE mode the text cell is first filled with the background colour.
#include <windows.h>

#include "gdi/Cp1251.h"
#include "gdi/linux/GdiRegistry.h"

using namespace sim::gdi;
using sim::Surface;

namespace {

constexpr UINT horizontalMask = TA_LEFT | TA_RIGHT | TA_CENTER;
constexpr UINT verticalMask = TA_TOP | TA_BOTTOM | TA_BASELINE;

FontInstance &contextFont(Registry &gdi, DeviceContext &dc) {
    Font *font = dc.font != nullptr ? dc.font : gdi.defaultFont();
    return gdi.fontInstance(*font);
}

}  // namespace

extern "C" {

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext *dc = registry().context(hdc);
    if (dc == nullptr) return CLR_INVALID;
    const COLORREF previous = dc->textColour;
    dc->textColour = color & 0x00FFFFFF;
    return previous;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext *dc = registry().context(hdc);
    if (dc == nullptr) return CLR_INVALID;
    const COLORREF previous = dc->backgroundColour;
    dc->backgroundColour = color & 0x00FFFFFF;
    return previous;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    DeviceContext *dc = registry().context(hdc);
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = dc->backgroundMode;
    dc->backgroundMode = mode;
    return previous;
}

UINT WINAPI SetTextAlign(HDC hdc, UINT align) {
    DeviceContext *dc = registry().context(hdc);
    if (dc == nullptr) return GDI_ERROR;
    const UINT previous = dc->textAlign;
    dc->textAlign = align;
    return previous;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    Registry &gdi = registry();
    DeviceContext *dc = gdi.context(hdc);
    if (dc == nullptr || c < 0 || (lpString == nullptr && c > 0)) return FALSE;
    Surface *surface = dc->target();
    if (surface == nullptr) return TRUE;
    const bool updatePosition = (dc->textAlign & TA_UPDATECP) != 0;
    if (updatePosition) {
        x = dc->position.x;
        y = dc->position.y;
    }
    surface->addText(x, y, dc->textAlign, sim::cp1251ToUtf8(lpString, std::size_t(c)));
    if (c == 0) return TRUE;

    FontInstance &font = contextFont(gdi, *dc);
    const int width = font.textWidth(lpString, c);
    int left = x;
    switch (dc->textAlign & horizontalMask) {
        case TA_CENTER:
            left = x - width / 2;
            break;
        case TA_RIGHT:
            left = x - width;
            break;
        default:
            break;
    }
    int baseline = y + font.ascent();
    switch (dc->textAlign & verticalMask) {
        case TA_BASELINE:
            baseline = y;
            break;
        case TA_BOTTOM:
            baseline = y - font.descent();
            break;
        default:
            break;
    }
    if (dc->backgroundMode == OPAQUE) {
        const int top = baseline - font.ascent();
        surface->fillRect(left, top, left + width, top + font.cellHeight(),
                          Surface::fromColorref(dc->backgroundColour));
    }
    font.draw(*surface, left, baseline, lpString, c, Surface::fromColorref(dc->textColour));
    if (updatePosition) {
        // The current position moves past the text in the drawing direction.
        switch (dc->textAlign & horizontalMask) {
            case TA_RIGHT:
                dc->position.x = x - width;
                break;
            case TA_CENTER:
                break;
            default:
                dc->position.x = x + width;
                break;
        }
    }
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    Registry &gdi = registry();
    DeviceContext *dc = gdi.context(hdc);
    if (dc == nullptr || psizl == nullptr || c < 0 || (lpString == nullptr && c > 0)) return FALSE;
    FontInstance &font = contextFont(gdi, *dc);
    psizl->cx = c == 0 ? 0 : font.textWidth(lpString, c);
    psizl->cy = font.cellHeight();
    return TRUE;
}

}  // extern "C"
