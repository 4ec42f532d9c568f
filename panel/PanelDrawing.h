// Drawing of the panel areas: the MFD button strips, the terminal, the
// composer fields, the three readouts, the host status display, the clocks
// and the photo view.
#ifndef OKUL_PANEL_PANELDRAWING_H
#define OKUL_PANEL_PANELDRAWING_H

#include <OrbiterAPI.h>

#include "PanelFields.h"

// clbkPanelRedrawEvent: draws area `areaId` on `surface` as its panel element
// says; false for areas that have no drawing. The three readouts are each
// "%.1f" at (3, 3): the relay angle in degrees (negative while the target is
// not visible), the transmission estimate and the signal time in seconds.
bool PanelRedrawEvent(PanelFields &fields, int areaId, int event, SURFHANDLE surface);

#endif  // OKUL_PANEL_PANELDRAWING_H
