// The MFD button strips of the main panel: the side columns show each
// button's label written vertically on a black key, the bottom strip the
// three keys power ("Вкл"), mode selection ("ВО") and button menu ("ВЛ").
#ifndef OKUL_PANEL_MFDBUTTONLABELS_H
#define OKUL_PANEL_MFDBUTTONLABELS_H

#include <OrbiterAPI.h>

// Draws the six keys of a side column with the given labels (null for a
// button without one). Key k is the black box (1, top)-(18, top + 35) with
// top = 35 + 42 k; a label of n characters stands centred on x = 9, its
// character i at y = top + 15 + 10 i - 5 n.
void DrawButtonLabelColumn(SURFHANDLE surface, const char *const labels[6]);

// The labels of MFD `mfd`'s left (column 0) or right (column 1) buttons as
// the simulator reports them, drawn as above.
void DrawMfdButtonLabels(SURFHANDLE surface, int mfd, int column);

// The bottom strip, the same for every MFD.
void DrawMfdBottomButtons(SURFHANDLE surface);

#endif  // OKUL_PANEL_MFDBUTTONLABELS_H
