#include "cockpit/Panel.h"

#include <algorithm>
#include <utility>

#include "gdi/SurfaceHandles.h"

namespace sim {

Panel::Panel(int id) : panelId(id) {}

Panel::~Panel() {
    for (PanelArea &area : areaList) destroySurface(area.surface);
    for (PanelMfd &mfd : mfdList) destroySurface(mfd.display);
    if (backgroundBitmap != nullptr) DeleteObject(backgroundBitmap);
}

void Panel::setBackground(HBITMAP bitmap, DWORD attachFlags, DWORD key) {
    if (backgroundBitmap != nullptr && backgroundBitmap != bitmap) DeleteObject(backgroundBitmap);
    backgroundBitmap = bitmap;
    const std::unique_ptr<Surface> pixels = bitmapPixels(bitmap);
    background =
        pixels != nullptr ? Surface(pixels->width(), pixels->height(), pixels->pixels()) : Surface(0, 0);
    flags = attachFlags;
    // (DWORD)-1 means no transparent colour; otherwise a COLORREF.
    colourKeyed = key != DWORD(-1);
    keyPixel = colourKeyed ? Surface::fromColorref(key) : 0;
}

void Panel::addArea(int id, const RECT &rect, int redrawMode, int mouseMode, int backgroundMode) {
    // A second registration of the same id replaces the first.
    PanelArea *existing = area(id);
    PanelArea &entry = existing != nullptr ? *existing : (areaList.emplace_back(), areaList.back());
    entry.id = id;
    entry.rect = rect;
    entry.redrawMode = redrawMode;
    entry.mouseMode = mouseMode;
    entry.backgroundMode = backgroundMode;
}

void Panel::addMfd(int index, const MFDSPEC &spec) {
    for (PanelMfd &mfd : mfdList) {
        if (mfd.index == index) {
            mfd.spec = spec;
            return;
        }
    }
    mfdList.push_back(PanelMfd{index, spec, nullptr});
}

void Panel::setNeighbours(int left, int right, int top, int bottom) {
    neighbours[PanelLeft] = left;
    neighbours[PanelRight] = right;
    neighbours[PanelUp] = top;
    neighbours[PanelDown] = bottom;
}

void Panel::prepare() {
    for (PanelArea &area : areaList) {
        Surface start(area.width(), area.height());
        start.copyFrom(background, area.rect.left, area.rect.top, area.width(), area.height(), 0, 0);
        area.surface = createSurface(start);
        area.shown = std::move(start);
        ++area.drawn;
    }
    for (PanelMfd &mfd : mfdList) {
        const RECT &r = mfd.spec.pos;
        mfd.display =
            createSurface(r.right > r.left ? r.right - r.left : 0, r.bottom > r.top ? r.bottom - r.top : 0);
    }
}

PanelArea *Panel::area(int id) {
    for (PanelArea &area : areaList)
        if (area.id == id) return &area;
    return nullptr;
}

const PanelArea *Panel::area(int id) const { return const_cast<Panel *>(this)->area(id); }

PanelArea *Panel::mouseAreaAt(int x, int y) {
    for (PanelArea &area : areaList)
        if (area.mouseMode != PANEL_MOUSE_IGNORE && area.contains(x, y)) return &area;
    return nullptr;
}

const PanelMfd *Panel::mfd(int index) const {
    for (const PanelMfd &mfd : mfdList)
        if (mfd.index == index) return &mfd;
    return nullptr;
}

void Panel::redraw(PanelArea &area, VESSEL2 *vessel, int event) {
    Surface *drawing = surfaceFromHandle(area.surface);
    if (drawing == nullptr) return;
    if (area.backgroundMode == PANEL_MAP_BACKGROUND) {
        drawing->copyFrom(background, area.rect.left, area.rect.top, area.width(), area.height(), 0, 0);
    }
    // Other modes keep what the surface held: the module draws over it.
    drawing->clearTexts();
    if (vessel == nullptr || !vessel->clbkPanelRedrawEvent(area.id, event, area.surface)) return;
    drawing = surfaceFromHandle(area.surface);  // the module may not free it, but be sure
    if (drawing == nullptr) return;
    if (area.backgroundMode == PANEL_MAP_BACKGROUND) {
        // The next redraw starts from the background again: trading the two
        // pictures is enough.
        std::swap(*drawing, area.shown);
    } else {
        area.shown = *drawing;
    }
    ++area.drawn;
}

Surface Panel::compose() const {
    Surface picture(background.width(), background.height());
    composeRegion(picture, 0, 0, picture.width(), picture.height());
    return picture;
}

void Panel::composeRegion(Surface &picture, int left, int top, int right, int bottom) const {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min({right, background.width(), picture.width()});
    bottom = std::min({bottom, background.height(), picture.height()});
    if (right <= left || bottom <= top) return;
    // Copies the part of a picture placed at (x, y) that falls in the region.
    auto place = [&](const Surface &source, int x, int y) {
        const int fromX = std::max(left, x), fromY = std::max(top, y);
        const int toX = std::min(right, x + source.width()), toY = std::min(bottom, y + source.height());
        if (toX > fromX && toY > fromY)
            picture.copyFrom(source, fromX - x, fromY - y, toX - fromX, toY - fromY, fromX, fromY);
    };
    place(background, 0, 0);
    for (const PanelArea &area : areaList) {
        // An area's picture covers its rectangle, however large the picture.
        const int x = area.rect.left, y = area.rect.top;
        const int fromX = std::max(left, x), fromY = std::max(top, y);
        const int toX = std::min({right, x + area.width(), x + area.shown.width()});
        const int toY = std::min({bottom, y + area.height(), y + area.shown.height()});
        if (toX > fromX && toY > fromY)
            picture.copyFrom(area.shown, fromX - x, fromY - y, toX - fromX, toY - fromY, fromX, fromY);
    }
    for (const PanelMfd &mfd : mfdList) {
        if (const Surface *display = surfaceFromHandle(mfd.display))
            place(*display, mfd.spec.pos.left, mfd.spec.pos.top);
    }
}

}  // namespace sim
