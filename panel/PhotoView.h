// The photo view of the photo panel (area 3101, 800 x 800 pixels): the
// received picture of the selected frame with its scale marks, or a caption
// for a frame that has not been sent yet or is empty.
#ifndef OKUL_PANEL_PHOTOVIEW_H
#define OKUL_PANEL_PHOTOVIEW_H

#include <OrbiterAPI.h>

#include "FrameTable.h"

// Draws frame `frameNumber` of `frames`; a number outside the cassette draws
// nothing.
//  - state 5 and on (transmission begun or done): the slot's picture at
//    (0, 0) and, by the pointing choice paramA[0] (exactly 0, 1 or 2), the
//    scale marks of that choice;
//  - states 1 to 4: the caption "Кадр .. Время .. Парам .. Стат ..";
//  - state 0: "Кадр .. пустой".
void DrawPhotoView(SURFHANDLE surface, const FrameTable &frames, int frameNumber);

#endif  // OKUL_PANEL_PHOTOVIEW_H
