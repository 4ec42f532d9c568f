// The text record of the Windows build.
//
// On Linux our TextOutA records every text it draws on a surface (see
// gdi/Surface.h). On Windows the modules and the simulator call the real
// TextOutA of gdi32.dll; so that the runner can still list what an area
// shows, the simulator points the TextOutA entry of a library's import table
// to a function that records the text on the surface the device context was
// lent on (reference point, alignment, text) and then calls the real
// TextOutA. Texts drawn on other device contexts are drawn, not recorded.
#pragma once

#include <windows.h>

#include "gdi/Surface.h"

namespace sim {

// Routes the TextOutA calls of a loaded library (a module, or the
// simulator's own library) through the text record. False when the library
// does not import TextOutA.
bool captureTexts(HMODULE library);
// The simulator's own library.
HMODULE simulatorLibrary();

// The surface a device context from oapiGetDC is lent on, or null.
Surface *lentContextSurface(HDC dc);

}  // namespace sim
