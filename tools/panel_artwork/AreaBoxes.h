// The active areas of the console's two panels as boxes for the artwork,
// taken from the module's own panel tables: the artwork puts every screen,
// field and button exactly on the rectangles the module registers.
#ifndef OKUL_PANEL_ARTWORK_AREA_BOXES_H
#define OKUL_PANEL_ARTWORK_AREA_BOXES_H

#include <PanelElements.h>

#include "Canvas.h"

inline Box BoxOf(const RECT &r) { return {r.left, r.top, r.right, r.bottom}; }

inline Box AreaBox(const PanelElement *areas, int count, int id) {
    const PanelElement *area = FindPanelArea(areas, count, id);
    return area ? BoxOf(area->rect) : Box{};
}

inline Box MainArea(int id) { return AreaBox(kMainPanelAreas, kMainPanelAreaCount, id); }
inline Box PhotoArea(int id) { return AreaBox(kPhotoPanelAreas, kPhotoPanelAreaCount, id); }
inline Box MfdScreen(int mfd) { return BoxOf(kMainPanelMfds[mfd].pos); }

// The 800 x 800 pixels the photo view shows.
inline Box PhotoWindow() {
    const Box view = PhotoArea(3101);
    return {view.left, view.top, view.left + kPhotoViewSize, view.top + kPhotoViewSize};
}

#endif
