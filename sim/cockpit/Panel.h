// One 2D instrument panel as the focus vessel's clbkLoadPanel registered it:
// the background bitmap, the active areas with their drawing surfaces, the
// MFD screens and the neighbouring panels.
//
// Every area owns two pictures: the drawing surface lent to the module
// (a SURFHANDLE) and the picture the panel shows. A redraw prepares the
// drawing surface (from the background under the area for
// PANEL_MAP_BACKGROUND), lets the module draw, and only when the module
// reports that it drew does the panel show the result; an area whose redraw
// returns false keeps showing what it showed before.
#pragma once

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include <memory>
#include <vector>

#include "gdi/Surface.h"

namespace sim {

struct PanelArea {
    int id = 0;
    RECT rect{};
    int redrawMode = PANEL_REDRAW_NEVER;
    int mouseMode = PANEL_MOUSE_IGNORE;
    int backgroundMode = PANEL_MAP_NONE;
    SURFHANDLE surface = nullptr;  // lent to clbkPanelRedrawEvent
    Surface shown{0, 0};           // what the panel displays for the area
    // A redraw asked for: PANEL_REDRAW_USER (by the module) or
    // PANEL_REDRAW_MOUSE (after a mouse event); 0 for none.
    int pendingRedraw = 0;
    // Counts the pictures the area has shown (its first included): a viewer
    // that keeps what it sent compares counts to find what changed.
    unsigned long long drawn = 0;

    int width() const { return rect.right > rect.left ? rect.right - rect.left : 0; }
    int height() const { return rect.bottom > rect.top ? rect.bottom - rect.top : 0; }
    bool contains(int x, int y) const {
        return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
    }
};

struct PanelMfd {
    int index = 0;
    MFDSPEC spec{};
    SURFHANDLE display = nullptr;  // the MFD screen, spec.pos sized
};

enum PanelDirection { PanelLeft = 0, PanelRight = 1, PanelUp = 2, PanelDown = 3 };

class Panel {
public:
    explicit Panel(int id);
    ~Panel();
    Panel(const Panel &) = delete;
    Panel &operator=(const Panel &) = delete;

    int id() const { return panelId; }

    // Registrations made during clbkLoadPanel. The panel takes over the
    // background bitmap and deletes it with itself.
    void setBackground(HBITMAP bitmap, DWORD flags, DWORD colourKey);
    void addArea(int id, const RECT &rect, int redrawMode, int mouseMode, int backgroundMode);
    void addMfd(int index, const MFDSPEC &spec);
    void setNeighbours(int left, int right, int top, int bottom);

    // After a successful load: creates the drawing surfaces, each starting as
    // the background under its area.
    void prepare();

    bool hasBackground() const { return background.width() > 0 && background.height() > 0; }
    int width() const { return background.width(); }
    int height() const { return background.height(); }
    DWORD attachFlags() const { return flags; }
    bool hasColourKey() const { return colourKeyed; }
    std::uint32_t colourKey() const { return keyPixel; }
    int neighbour(PanelDirection direction) const { return neighbours[direction]; }

    std::vector<PanelArea> &areas() { return areaList; }
    const std::vector<PanelArea> &areas() const { return areaList; }
    PanelArea *area(int id);
    const PanelArea *area(int id) const;
    // The first area (in registration order) with a mouse mode that holds
    // the panel pixel, or null.
    PanelArea *mouseAreaAt(int x, int y);

    const std::vector<PanelMfd> &mfds() const { return mfdList; }
    const PanelMfd *mfd(int index) const;

    // Redraws one area: prepares its drawing surface, calls the vessel's
    // clbkPanelRedrawEvent with `event` and shows the result when it returns
    // true. A null vessel only prepares the surface.
    void redraw(PanelArea &area, VESSEL2 *vessel, int event);

    // Background, then every area as shown, then the MFD screens.
    Surface compose() const;
    // The same for the panel pixels x in [left, right), y in [top, bottom)
    // only, written into `picture` (panel sized) there.
    void composeRegion(Surface &picture, int left, int top, int right, int bottom) const;

private:
    int panelId;
    Surface background{0, 0};
    HBITMAP backgroundBitmap = nullptr;
    DWORD flags = 0;
    bool colourKeyed = false;
    std::uint32_t keyPixel = 0;
    int neighbours[4] = {-1, -1, -1, -1};
    std::vector<PanelArea> areaList;
    std::vector<PanelMfd> mfdList;
};

}  // namespace sim
