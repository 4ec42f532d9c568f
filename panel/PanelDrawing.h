// Drawing of the panel areas: the MFD button strips, the terminal, the
// composer fields, the three readouts, the host status display, the clocks
// and the photo view.
#ifndef OKUL_PANEL_PANELDRAWING_H
#define OKUL_PANEL_PANELDRAWING_H

#include <OrbiterAPI.h>

#include "PanelFields.h"

// clbkPanelRedrawEvent: draws area `areaId` on `surface`; false for areas
// that have no drawing.
bool PanelRedrawEvent(PanelFields &fields, int areaId, int event, SURFHANDLE surface);

// The three readouts, each "%.1f" at (3, 3): area 106 the relay angle in
// degrees (negative while the target is not visible), 107 the transmission
// estimate and 108 the signal time, both in seconds.
void DrawReadout(SURFHANDLE surface, const PanelFields &fields, int areaId);

#endif  // OKUL_PANEL_PANELDRAWING_H
