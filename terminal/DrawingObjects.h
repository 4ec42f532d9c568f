// Drawing objects shared by every routine that draws on the console's panels:
// the terminal screen, the panel instruments and the photo view. They are
// created once when the library is loaded and deleted when it is unloaded.
#ifndef OKUL_TERMINAL_DRAWINGOBJECTS_H
#define OKUL_TERMINAL_DRAWINGOBJECTS_H

#include <windows.h>

struct DrawingObjects {
    HINSTANCE moduleInstance;  // the library's own instance (bitmap resources)
    HFONT fontSmall;           // Arial, 10 pixels, Cyrillic character set
    HFONT fontLarge;           // Arial, 12 pixels
    HBRUSH brushBlack;         // solid black
};

// The one instance of the library; all members are null until the library's
// start-up fills them.
DrawingObjects &ModuleDrawingObjects();

// The library's start-up: keeps the instance and creates, in this order,
// the small font, the large font and the black brush.
void CreateModuleDrawingObjects(HINSTANCE moduleInstance);
// The library's unloading: deletes the fonts and the brush.
void ReleaseModuleDrawingObjects();

#endif  // OKUL_TERMINAL_DRAWINGOBJECTS_H
