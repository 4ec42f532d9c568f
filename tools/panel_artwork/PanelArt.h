// The artwork of the console's two panels and a debug view of their areas.
#ifndef OKUL_PANEL_ARTWORK_PANEL_ART_H
#define OKUL_PANEL_ARTWORK_PANEL_ART_H

#include "Canvas.h"
#include "ConsoleKit.h"
#include "AreaBoxes.h"

// Main panel (bitmap 109): three MFDs, terminal, command composer, readouts,
// host status display, clocks and the periscope window.
void DrawMainPanel(ConsoleKit &kit);
// Photo panel (bitmap 110): the photo view and the frame buttons.
void DrawPhotoPanel(ConsoleKit &kit);
// Outlines every area in a bright colour with its id, to check alignment.
void DrawAreaOverlay(Canvas &canvas, TextPainter &text, const PanelElement *areas, int count);

#endif
