// The in-process clipboard and keyboard-event injection.
//
// The clipboard holds at most one bitmap. The cockpit puts the window image
// there (setClipboardBitmap) when it sees Alt+PrintScreen through the
// keyboard-event handler; modules read it with OpenClipboard,
// GetClipboardData(CF_BITMAP), CloseClipboard. GetClipboardData hands out a
// GDI bitmap holding a copy of the content; the caller may delete it or turn
// it into a surface (oapiCreateSurface(bitmap, true)).
#pragma once

#include "gdi/Surface.h"

namespace sim {

void setClipboardBitmap(const Surface &image);
void clearClipboard();
bool clipboardHasBitmap();

// keybd_event forwards every event (virtual key, KEYEVENTF_* flags) to the
// installed handler; with none installed events are dropped.
using KeyboardEventHandler = void (*)(unsigned char vk, unsigned int flags, void *context);
void setKeyboardEventHandler(KeyboardEventHandler handler, void *context);

}  // namespace sim
