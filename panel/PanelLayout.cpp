#include "PanelLayout.h"

namespace {

struct AreaSpec {
    int id;
    RECT rect;  // left, top, right, bottom
    int redraw;
    int mouse;
};

const int kBackgroundFlags = PANEL_ATTACH_BOTTOM | PANEL_MOVEOUT_BOTTOM;  // 0x11
const DWORD kTransparentColour = 0xFF00FF;
const int kMainBitmap = 109;
const int kPhotoBitmap = 110;

const AreaSpec kMainAreas[] = {
    {0, {5, 15, 28, 315}, PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBPRESSED},
    {1, {327, 15, 345, 315}, PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBPRESSED},
    {2, {25, 315, 115, 330}, PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN},
    {3, {350, 15, 368, 315}, PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBPRESSED},
    {4, {672, 15, 690, 315}, PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBPRESSED},
    {5, {370, 315, 460, 330}, PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN},
    {6, {700, 15, 718, 315}, PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBPRESSED},
    {7, {1022, 15, 1040, 315}, PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBPRESSED},
    {8, {720, 315, 810, 330}, PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN},
    {51, {29, 385, 439, 827}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_LBDOWN},
    {100, {524, 564, 672, 580}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_LBDOWN},
    {101, {524, 596, 672, 610}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_LBDOWN},
    {102, {524, 629, 672, 642}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_LBDOWN},
    {103, {524, 660, 672, 674}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_LBDOWN},
    {104, {524, 692, 672, 706}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_LBDOWN},
    {105, {764, 597, 872, 610}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_LBDOWN},
    {106, {796, 641, 838, 654}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE},
    {107, {796, 662, 838, 675}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE},
    {108, {796, 681, 838, 694}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE},
    {109, {1007, 629, 1139, 804}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE},
    {110, {1060, 14, 1138, 197}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE},
    {111, {754, 352, 1140, 534}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE},
    {201, {474, 519, 520, 543}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {202, {604, 764, 674, 800}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {203, {701, 555, 737, 588}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {204, {706, 763, 777, 800}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {205, {859, 764, 930, 801}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {206, {1055, 223, 1098, 246}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {207, {623, 526, 669, 549}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {208, {822, 550, 868, 573}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {210, {913, 622, 959, 646}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
};

const AreaSpec kPhotoAreas[] = {
    {3201, {982, 588, 1061, 632}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {3202, {879, 590, 957, 632}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {3203, {878, 774, 956, 817}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {3101, {32, 27, 831, 826}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE},
};

const MFDSPEC kMfdSpecs[3] = {
    {{25, 15, 325, 315}, 6, 6, 60, 42},
    {{370, 15, 670, 315}, 6, 6, 60, 42},
    {{720, 15, 1020, 315}, 6, 6, 60, 42},
};

template <size_t N>
void RegisterAreas(const AreaSpec (&areas)[N]) {
    for (const AreaSpec &area : areas)
        oapiRegisterPanelArea(area.id, area.rect, area.redraw, area.mouse, PANEL_MAP_BACKGROUND);
}

}  // namespace

bool LoadPanel(HINSTANCE moduleInstance, int id) {
    switch (id) {
        case kMainPanel: {
            HBITMAP background = LoadBitmapA(moduleInstance, MAKEINTRESOURCE(kMainBitmap));
            for (int mfd = 0; mfd < 3; ++mfd) oapiRegisterMFD(mfd, kMfdSpecs[mfd]);
            oapiRegisterPanelBackground(background, kBackgroundFlags, kTransparentColour);
            oapiSetPanelNeighbours(-1, -1, kPhotoPanel, -1);
            RegisterAreas(kMainAreas);
            return background != nullptr;
        }
        case kBarePanel:
            return true;
        case kPhotoPanel: {
            HBITMAP background = LoadBitmapA(moduleInstance, MAKEINTRESOURCE(kPhotoBitmap));
            oapiRegisterPanelBackground(background, kBackgroundFlags, kTransparentColour);
            oapiSetPanelNeighbours(-1, -1, kMainPanel, -1);
            RegisterAreas(kPhotoAreas);
            return background != nullptr;
        }
        default:
            return false;
    }
}

bool MfdLabelAreas(int mfd, int &leftArea, int &rightArea) {
    if (mfd < 0 || mfd > 2) return false;
    leftArea = mfd * 3;
    rightArea = mfd * 3 + 1;
    return true;
}
