#include "gdi/Clipboard.h"

#include <windows.h>

#include "gdi/linux/GdiRegistry.h"
#include "gdi/SurfaceHandles.h"

using namespace sim::gdi;

namespace {

sim::KeyboardEventHandler keyboardHandler = nullptr;
void *keyboardContext = nullptr;

// Forgets the bitmap handed out last, deleting it unless the caller still
// has it selected somewhere (then it goes at shutdown).
void forgetHandedOut(ClipboardState &clipboard) {
    if (clipboard.handedOut != nullptr) {
        Bitmap *bitmap = clipboard.handedOut;
        clipboard.handedOut = nullptr;
        registry().remove(bitmap);
    }
}

}  // namespace

namespace sim {

void setClipboardBitmap(const Surface &image) {
    ClipboardState &clipboard = registry().clipboard();
    forgetHandedOut(clipboard);
    clipboard.content = std::make_unique<Surface>(image);
    clipboard.content->clearTexts();
}

void clearClipboard() {
    ClipboardState &clipboard = registry().clipboard();
    forgetHandedOut(clipboard);
    clipboard.content.reset();
}

bool clipboardHasBitmap() { return registry().clipboard().content != nullptr; }

void setKeyboardEventHandler(KeyboardEventHandler handler, void *context) {
    keyboardHandler = handler;
    keyboardContext = context;
}

// keybd_event calls the handler at once: nothing waits.
void deliverInjectedKeys() {}

}  // namespace sim

extern "C" {

BOOL WINAPI OpenClipboard(HWND hWndNewOwner) {
    ClipboardState &clipboard = registry().clipboard();
    if (clipboard.open) return FALSE;
    clipboard.open = true;
    return TRUE;
}

BOOL WINAPI CloseClipboard(void) {
    ClipboardState &clipboard = registry().clipboard();
    if (!clipboard.open) return FALSE;
    clipboard.open = false;
    return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
    ClipboardState &clipboard = registry().clipboard();
    if (!clipboard.open) return FALSE;
    sim::clearClipboard();
    return TRUE;
}

// The clipboard's bitmap while the clipboard is open; repeated calls return
// the same handle until the caller deletes it.
HANDLE WINAPI GetClipboardData(UINT uFormat) {
    Registry &gdi = registry();
    ClipboardState &clipboard = gdi.clipboard();
    if (!clipboard.open || uFormat != CF_BITMAP || !clipboard.content) return nullptr;
    if (clipboard.handedOut == nullptr) {
        clipboard.handedOut = gdi.bitmap(sim::createBitmap(*clipboard.content));
    }
    return objectHandle(clipboard.handedOut);
}

void WINAPI keybd_event(BYTE bVk, BYTE bScan, DWORD dwFlags, ULONG_PTR dwExtraInfo) {
    if (keyboardHandler != nullptr) keyboardHandler(bVk, dwFlags, keyboardContext);
}

}  // extern "C"
