#include "PanelLayout.h"

#include "PanelElements.h"

namespace {

void RegisterAreas(const PanelElement *areas, int count) {
    for (int i = 0; i < count; ++i)
        oapiRegisterPanelArea(areas[i].id, areas[i].rect, areas[i].redraw, areas[i].mouse,
                              PANEL_MAP_BACKGROUND);
}

void SetNeighbours(const PanelNeighbours &n) { oapiSetPanelNeighbours(n.left, n.right, n.top, n.bottom); }

}  // namespace

bool LoadPanel(HINSTANCE moduleInstance, int id) {
    switch (id) {
        case kMainPanel: {
            HBITMAP background = LoadBitmapA(moduleInstance, MAKEINTRESOURCE(kMainPanelBitmap));
            for (int mfd = 0; mfd < 3; ++mfd) oapiRegisterMFD(mfd, kMainPanelMfds[mfd]);
            oapiRegisterPanelBackground(background, kPanelBackgroundFlags, kPanelTransparentColour);
            SetNeighbours(kMainPanelNeighbours);
            RegisterAreas(kMainPanelAreas, kMainPanelAreaCount);
            return background != nullptr;
        }
        case kBarePanel:
            return true;
        case kPhotoPanel: {
            HBITMAP background = LoadBitmapA(moduleInstance, MAKEINTRESOURCE(kPhotoPanelBitmap));
            oapiRegisterPanelBackground(background, kPanelBackgroundFlags, kPanelTransparentColour);
            SetNeighbours(kPhotoPanelNeighbours);
            RegisterAreas(kPhotoPanelAreas, kPhotoPanelAreaCount);
            return background != nullptr;
        }
        default:
            return false;
    }
}

bool MfdLabelAreas(int mfd, int &leftArea, int &rightArea) {
    const PanelElement *left = FindMfdElement(mfd, kDrawMfdLeftLabels);
    const PanelElement *right = FindMfdElement(mfd, kDrawMfdRightLabels);
    if (!left || !right) return false;
    leftArea = left->id;
    rightArea = right->id;
    return true;
}
