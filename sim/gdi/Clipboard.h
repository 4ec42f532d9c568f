// The clipboard as the simulator fills it, and the keyboard events modules
// inject.
//
// The cockpit puts the window image on the clipboard (setClipboardBitmap)
// when it sees PrintScreen released through the keyboard-event handler, as
// Windows does for its screen; modules read it with OpenClipboard,
// GetClipboardData(CF_BITMAP), CloseClipboard and may turn the bitmap into a
// surface (oapiCreateSurface(bitmap, false)).
//
// On Linux the clipboard lives in the process (gdi/linux) and keybd_event
// calls the handler at once. On Windows it is the system clipboard, and a
// low-level keyboard hook sees what modules inject with keybd_event; the hook
// runs while the simulator's thread takes its messages
// (deliverInjectedKeys, called by the message loop of every frame).
#pragma once

#include "gdi/Surface.h"

namespace sim {

void setClipboardBitmap(const Surface &image);
void clearClipboard();
bool clipboardHasBitmap();

// Every injected keyboard event (virtual key, KEYEVENTF_* flags) goes to the
// installed handler; with none installed events are dropped.
using KeyboardEventHandler = void (*)(unsigned char vk, unsigned int flags, void *context);
void setKeyboardEventHandler(KeyboardEventHandler handler, void *context);
// Hands keyboard events injected since the last call to the handler where
// they are not delivered at once.
void deliverInjectedKeys();

}  // namespace sim
