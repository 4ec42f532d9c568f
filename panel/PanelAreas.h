// The console's two panel layouts as data: for each panel its background
// bitmap, its neighbours, its MFDs and its active areas in registration
// order (id, rectangle, redraw mode, mouse mode). The module registers the
// panels from these tables; the artwork of the backgrounds and the tests
// read the same tables.
#ifndef OKUL_PANEL_PANELAREAS_H
#define OKUL_PANEL_PANELAREAS_H

#include <OrbiterAPI.h>

struct PanelAreaSpec {
    int id;
    RECT rect;  // left, top, right, bottom in panel pixels; right and bottom are outside
    int redraw;
    int mouse;
};

struct PanelNeighbours {
    int left, right, top, bottom;  // panel ids, -1 for none
};

const int kPanelWidth = 1152;
const int kPanelHeight = 864;
const int kMainPanelBitmap = 109;
const int kPhotoPanelBitmap = 110;
const int kPanelBackgroundFlags = PANEL_ATTACH_BOTTOM | PANEL_MOVEOUT_BOTTOM;  // 0x11
const DWORD kPanelTransparentColour = 0xFF00FF;                                // magenta

const int kPanelMouseHeld = PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBPRESSED;

// Main panel (0): the three MFDs with their button columns and rows, the
// terminal, the composer fields, the readouts, the host status display, the
// clocks, the periscope window (111, nothing drawn) and the buttons. There is
// no area 209.
const PanelAreaSpec kMainPanelAreas[] = {
    {0, {5, 15, 28, 315}, PANEL_REDRAW_USER, kPanelMouseHeld},
    {1, {327, 15, 345, 315}, PANEL_REDRAW_USER, kPanelMouseHeld},
    {2, {25, 315, 115, 330}, PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN},
    {3, {350, 15, 368, 315}, PANEL_REDRAW_USER, kPanelMouseHeld},
    {4, {672, 15, 690, 315}, PANEL_REDRAW_USER, kPanelMouseHeld},
    {5, {370, 315, 460, 330}, PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN},
    {6, {700, 15, 718, 315}, PANEL_REDRAW_USER, kPanelMouseHeld},
    {7, {1022, 15, 1040, 315}, PANEL_REDRAW_USER, kPanelMouseHeld},
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
const int kMainPanelAreaCount = sizeof(kMainPanelAreas) / sizeof(kMainPanelAreas[0]);

// The MFD screens of the main panel: six buttons on either side, the first
// 60 pixels down, 42 apart.
const MFDSPEC kMainPanelMfds[3] = {
    {{25, 15, 325, 315}, 6, 6, 60, 42},
    {{370, 15, 670, 315}, 6, 6, 60, 42},
    {{720, 15, 1020, 315}, 6, 6, 60, 42},
};

// Photo panel (2): the frame buttons, the way back, and the photo view, which
// shows 800 x 800 pixels from the top-left corner of its rectangle (one more
// each way than the rectangle registered).
const PanelAreaSpec kPhotoPanelAreas[] = {
    {3201, {982, 588, 1061, 632}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {3202, {879, 590, 957, 632}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {3203, {878, 774, 956, 817}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN},
    {3101, {32, 27, 831, 826}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE},
};
const int kPhotoPanelAreaCount = sizeof(kPhotoPanelAreas) / sizeof(kPhotoPanelAreas[0]);
const int kPhotoViewSize = 800;

// Each panel names the other as its upper neighbour, so the key for the
// upper panel toggles between them.
const PanelNeighbours kMainPanelNeighbours = {-1, -1, 2, -1};
const PanelNeighbours kPhotoPanelNeighbours = {-1, -1, 0, -1};

// The area of a table with the given id, or null.
inline const PanelAreaSpec *FindPanelArea(const PanelAreaSpec *areas, int count, int id) {
    for (int i = 0; i < count; ++i)
        if (areas[i].id == id) return &areas[i];
    return nullptr;
}

#endif  // OKUL_PANEL_PANELAREAS_H
