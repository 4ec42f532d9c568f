// The console's two panels: the main panel (0) with three MFDs, the
// terminal, the composer, readouts, status display and clocks; the bare
// outside view (1); and the photo panel (2). LoadPanel registers a panel's
// background, MFDs, neighbours and areas with the simulator from the panel
// element tables (PanelElements.h).
#ifndef OKUL_PANEL_PANELLAYOUT_H
#define OKUL_PANEL_PANELLAYOUT_H

#include <OrbiterAPI.h>

enum PanelId { kMainPanel = 0, kBarePanel = 1, kPhotoPanel = 2 };

// Registers panel `id` (bitmaps from the module instance); true when the
// panel's background bitmap was found, true for the bare panel, false for
// unknown ids.
bool LoadPanel(HINSTANCE moduleInstance, int id);

// The two button-label columns of an MFD (left first): 0/1, 3/4, 6/7;
// false for other MFD numbers.
bool MfdLabelAreas(int mfd, int &leftArea, int &rightArea);

#endif  // OKUL_PANEL_PANELLAYOUT_H
