// The active areas of the console's two panels, as the module registers
// them (left, top, right, bottom in panel pixels; right and bottom are the
// first pixel outside). The artwork puts every screen, field and button
// exactly on these rectangles.
#ifndef OKUL_PANEL_ARTWORK_PANEL_AREAS_H
#define OKUL_PANEL_ARTWORK_PANEL_AREAS_H

#include "Canvas.h"

const int kPanelWidth = 1152;
const int kPanelHeight = 864;

struct PanelArea {
    int id;
    Box box;
};

// Main panel (bitmap 109).
const Box kMfdScreen[3] = {{25, 15, 325, 315}, {370, 15, 670, 315}, {720, 15, 1020, 315}};
const PanelArea kMainAreas[] = {
    {0, {5, 15, 28, 315}},         {1, {327, 15, 345, 315}},      {2, {25, 315, 115, 330}},
    {3, {350, 15, 368, 315}},      {4, {672, 15, 690, 315}},      {5, {370, 315, 460, 330}},
    {6, {700, 15, 718, 315}},      {7, {1022, 15, 1040, 315}},    {8, {720, 315, 810, 330}},
    {51, {29, 385, 439, 827}},     {100, {524, 564, 672, 580}},   {101, {524, 596, 672, 610}},
    {102, {524, 629, 672, 642}},   {103, {524, 660, 672, 674}},   {104, {524, 692, 672, 706}},
    {105, {764, 597, 872, 610}},   {106, {796, 641, 838, 654}},   {107, {796, 662, 838, 675}},
    {108, {796, 681, 838, 694}},   {109, {1007, 629, 1139, 804}}, {110, {1060, 14, 1138, 197}},
    {111, {754, 352, 1140, 534}},  {201, {474, 519, 520, 543}},   {202, {604, 764, 674, 800}},
    {203, {701, 555, 737, 588}},   {204, {706, 763, 777, 800}},   {205, {859, 764, 930, 801}},
    {206, {1055, 223, 1098, 246}}, {207, {623, 526, 669, 549}},   {208, {822, 550, 868, 573}},
    {210, {913, 622, 959, 646}},
};

// Photo panel (bitmap 110). The photo view shows 800 x 800 pixels from its
// top-left corner, one more than its registered rectangle.
const PanelArea kPhotoAreas[] = {
    {3201, {982, 588, 1061, 632}},
    {3202, {879, 590, 957, 632}},
    {3203, {878, 774, 956, 817}},
    {3101, {32, 27, 831, 826}},
};
const Box kPhotoWindow{32, 27, 832, 827};

inline Box AreaBox(const PanelArea *areas, int count, int id) {
    for (int i = 0; i < count; ++i)
        if (areas[i].id == id) return areas[i].box;
    return {};
}

inline Box MainArea(int id) { return AreaBox(kMainAreas, int(sizeof kMainAreas / sizeof kMainAreas[0]), id); }
inline Box PhotoArea(int id) {
    return AreaBox(kPhotoAreas, int(sizeof kPhotoAreas / sizeof kPhotoAreas[0]), id);
}

#endif
