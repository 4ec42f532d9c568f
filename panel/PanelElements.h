// The console's two panels as tables of panel elements: for each panel its
// background bitmap, its neighbours, its MFDs and one element per active
// area, in registration order: the area id, its rectangle, its redraw and
// mouse modes, and what draws it and what a click on it does. The module
// registers the panels from these tables and dispatches the simulator's
// redraw and mouse callbacks, which pass the area id, through them; the
// artwork of the backgrounds and the tests read the same tables.
#ifndef OKUL_PANEL_PANELELEMENTS_H
#define OKUL_PANEL_PANELELEMENTS_H

#include <OrbiterAPI.h>

// What draws an area.
enum AreaDrawing {
    kDrawNothing,        // the redraw reports that nothing was drawn
    kDrawMfdLeftLabels,  // the labels of an MFD's left button column
    kDrawMfdRightLabels,
    kDrawMfdBottomButtons,
    kDrawTerminal,
    kDrawComposerField,  // the composer field of the area's id
    kDrawRelayAngle,
    kDrawTransmissionEstimate,
    kDrawLightTime,
    kDrawHostStatus,
    kDrawClocks,
    kDrawPhotoView
};

// What a click on an area does.
enum AreaClick {
    kClickIgnored,        // not handled
    kClickMfdLeftButton,  // an MFD side button of the left column, by the height
    kClickMfdRightButton,
    kClickMfdBottomButton,  // power, mode selection or the button menu, by the position
    kClickCaptureKeys,      // the terminal takes the keyboard, or stops taking it
    kClickComposerField,    // the input box of the area's composer field, next frame
    kClickTakePointing,
    kClickEmitRecord,
    kClickComputeTime,
    kClickTransmit,
    kClickConsumed,  // a button without an action
    kClickDetach,
    kClickResetFields,
    kClickResetOffset,
    kClickPhotoPanel,
    kClickNextFrame,
    kClickPreviousFrame,
    kClickMainPanel
};

struct PanelElement {
    int id;
    RECT rect;  // left, top, right, bottom in panel pixels; right and bottom are outside
    int redraw;
    int mouse;
    AreaDrawing drawing;
    AreaClick click;
    int mfd;  // the MFD of its buttons, or -1
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
const PanelElement kMainPanelAreas[] = {
    {0, {5, 15, 28, 315}, PANEL_REDRAW_USER, kPanelMouseHeld, kDrawMfdLeftLabels, kClickMfdLeftButton, 0},
    {1,
     {327, 15, 345, 315},
     PANEL_REDRAW_USER,
     kPanelMouseHeld,
     kDrawMfdRightLabels,
     kClickMfdRightButton,
     0},
    {2,
     {25, 315, 115, 330},
     PANEL_REDRAW_USER,
     PANEL_MOUSE_LBDOWN,
     kDrawMfdBottomButtons,
     kClickMfdBottomButton,
     0},
    {3, {350, 15, 368, 315}, PANEL_REDRAW_USER, kPanelMouseHeld, kDrawMfdLeftLabels, kClickMfdLeftButton, 1},
    {4,
     {672, 15, 690, 315},
     PANEL_REDRAW_USER,
     kPanelMouseHeld,
     kDrawMfdRightLabels,
     kClickMfdRightButton,
     1},
    {5,
     {370, 315, 460, 330},
     PANEL_REDRAW_USER,
     PANEL_MOUSE_LBDOWN,
     kDrawMfdBottomButtons,
     kClickMfdBottomButton,
     1},
    {6, {700, 15, 718, 315}, PANEL_REDRAW_USER, kPanelMouseHeld, kDrawMfdLeftLabels, kClickMfdLeftButton, 2},
    {7,
     {1022, 15, 1040, 315},
     PANEL_REDRAW_USER,
     kPanelMouseHeld,
     kDrawMfdRightLabels,
     kClickMfdRightButton,
     2},
    {8,
     {720, 315, 810, 330},
     PANEL_REDRAW_USER,
     PANEL_MOUSE_LBDOWN,
     kDrawMfdBottomButtons,
     kClickMfdBottomButton,
     2},
    {51, {29, 385, 439, 827}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_LBDOWN, kDrawTerminal, kClickCaptureKeys, -1},
    {100,
     {524, 564, 672, 580},
     PANEL_REDRAW_ALWAYS,
     PANEL_MOUSE_LBDOWN,
     kDrawComposerField,
     kClickComposerField,
     -1},
    {101,
     {524, 596, 672, 610},
     PANEL_REDRAW_ALWAYS,
     PANEL_MOUSE_LBDOWN,
     kDrawComposerField,
     kClickComposerField,
     -1},
    {102,
     {524, 629, 672, 642},
     PANEL_REDRAW_ALWAYS,
     PANEL_MOUSE_LBDOWN,
     kDrawComposerField,
     kClickComposerField,
     -1},
    {103,
     {524, 660, 672, 674},
     PANEL_REDRAW_ALWAYS,
     PANEL_MOUSE_LBDOWN,
     kDrawComposerField,
     kClickComposerField,
     -1},
    {104,
     {524, 692, 672, 706},
     PANEL_REDRAW_ALWAYS,
     PANEL_MOUSE_LBDOWN,
     kDrawComposerField,
     kClickComposerField,
     -1},
    {105,
     {764, 597, 872, 610},
     PANEL_REDRAW_ALWAYS,
     PANEL_MOUSE_LBDOWN,
     kDrawComposerField,
     kClickComposerField,
     -1},
    {106, {796, 641, 838, 654}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE, kDrawRelayAngle, kClickIgnored, -1},
    {107,
     {796, 662, 838, 675},
     PANEL_REDRAW_ALWAYS,
     PANEL_MOUSE_IGNORE,
     kDrawTransmissionEstimate,
     kClickIgnored,
     -1},
    {108, {796, 681, 838, 694}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE, kDrawLightTime, kClickIgnored, -1},
    {109,
     {1007, 629, 1139, 804},
     PANEL_REDRAW_ALWAYS,
     PANEL_MOUSE_IGNORE,
     kDrawHostStatus,
     kClickIgnored,
     -1},
    {110, {1060, 14, 1138, 197}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE, kDrawClocks, kClickIgnored, -1},
    {111, {754, 352, 1140, 534}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE, kDrawNothing, kClickIgnored, -1},
    {201, {474, 519, 520, 543}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN, kDrawNothing, kClickTakePointing, -1},
    {202, {604, 764, 674, 800}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN, kDrawNothing, kClickEmitRecord, -1},
    {203, {701, 555, 737, 588}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN, kDrawNothing, kClickComputeTime, -1},
    {204, {706, 763, 777, 800}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN, kDrawNothing, kClickTransmit, -1},
    {205, {859, 764, 930, 801}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN, kDrawNothing, kClickConsumed, -1},
    {206, {1055, 223, 1098, 246}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN, kDrawNothing, kClickDetach, -1},
    {207, {623, 526, 669, 549}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN, kDrawNothing, kClickResetFields, -1},
    {208, {822, 550, 868, 573}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN, kDrawNothing, kClickResetOffset, -1},
    {210, {913, 622, 959, 646}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN, kDrawNothing, kClickPhotoPanel, -1},
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
const PanelElement kPhotoPanelAreas[] = {
    {3201, {982, 588, 1061, 632}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN, kDrawNothing, kClickNextFrame, -1},
    {3202,
     {879, 590, 957, 632},
     PANEL_REDRAW_NEVER,
     PANEL_MOUSE_LBDOWN,
     kDrawNothing,
     kClickPreviousFrame,
     -1},
    {3203, {878, 774, 956, 817}, PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN, kDrawNothing, kClickMainPanel, -1},
    {3101, {32, 27, 831, 826}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE, kDrawPhotoView, kClickIgnored, -1},
};
const int kPhotoPanelAreaCount = sizeof(kPhotoPanelAreas) / sizeof(kPhotoPanelAreas[0]);
const int kPhotoViewSize = 800;

// Each panel names the other as its upper neighbour, so the key for the
// upper panel toggles between them.
const PanelNeighbours kMainPanelNeighbours = {-1, -1, 2, -1};
const PanelNeighbours kPhotoPanelNeighbours = {-1, -1, 0, -1};

// The element of a table with the given id, or null.
inline const PanelElement *FindPanelArea(const PanelElement *areas, int count, int id) {
    for (int i = 0; i < count; ++i)
        if (areas[i].id == id) return &areas[i];
    return nullptr;
}

// The element of either panel with the given area id (the ids differ
// between the panels), or null.
inline const PanelElement *FindPanelElement(int id) {
    const PanelElement *element = FindPanelArea(kMainPanelAreas, kMainPanelAreaCount, id);
    return element ? element : FindPanelArea(kPhotoPanelAreas, kPhotoPanelAreaCount, id);
}

// The main-panel element that draws or clicks the given part of an MFD, or null.
inline const PanelElement *FindMfdElement(int mfd, AreaDrawing drawing) {
    for (const PanelElement &element : kMainPanelAreas)
        if (element.mfd == mfd && element.drawing == drawing) return &element;
    return nullptr;
}

#endif  // OKUL_PANEL_PANELELEMENTS_H
