// The system clipboard and the keyboard events modules inject, in the
// Windows build.
//
// Modules press PrintScreen with keybd_event; a low-level keyboard hook of
// the simulator's thread sees the events and hands them to the cockpit,
// which puts the window image on the clipboard as Windows does with the
// screen. The system calls such a hook through the installing thread's
// message queue: Wine at once, from inside keybd_event, Windows when the
// thread next takes its messages. Both skip the hook of a thread that has
// not looked at its queue for a while (Wine: 5 seconds), so the message loop
// of every frame takes the thread's messages (deliverInjectedKeys).
#include "gdi/Clipboard.h"

#include <windows.h>

#include "gdi/SurfaceHandles.h"
#include "gdi/windows/TextCapture.h"

namespace sim {

namespace {

KeyboardEventHandler keyboardHandler = nullptr;
void *keyboardContext = nullptr;
HHOOK keyboardHook = nullptr;

LRESULT CALLBACK lowLevelKeyboard(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && keyboardHandler != nullptr) {
        const auto *event = reinterpret_cast<const KBDLLHOOKSTRUCT *>(data);
        unsigned flags = 0;
        if (event->flags & LLKHF_UP) flags |= KEYEVENTF_KEYUP;
        if (event->flags & LLKHF_EXTENDED) flags |= KEYEVENTF_EXTENDEDKEY;
        keyboardHandler(static_cast<unsigned char>(event->vkCode), flags, keyboardContext);
    }
    return CallNextHookEx(keyboardHook, code, message, data);
}

// The window that owns what the simulator puts on the clipboard: with no
// owner, Windows refuses SetClipboardData after EmptyClipboard.
HWND clipboardOwner() {
    static HWND owner = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OkulsimClipboardOwner";
        RegisterClassA(&windowClass);
        return CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
    }();
    return owner;
}

}  // namespace

void setClipboardBitmap(const Surface &image) {
    if (!OpenClipboard(clipboardOwner())) return;
    EmptyClipboard();
    HBITMAP bitmap = createBitmap(image);
    // The clipboard owns the bitmap once it takes it.
    if (bitmap != nullptr && SetClipboardData(CF_BITMAP, bitmap) == nullptr) DeleteObject(bitmap);
    CloseClipboard();
}

void clearClipboard() {
    if (!OpenClipboard(clipboardOwner())) return;
    EmptyClipboard();
    CloseClipboard();
}

bool clipboardHasBitmap() { return IsClipboardFormatAvailable(CF_BITMAP) != FALSE; }

void setKeyboardEventHandler(KeyboardEventHandler handler, void *context) {
    keyboardHandler = handler;
    keyboardContext = context;
    if (handler != nullptr && keyboardHook == nullptr) {
        keyboardHook = SetWindowsHookExA(WH_KEYBOARD_LL, lowLevelKeyboard, simulatorLibrary(), 0);
    } else if (handler == nullptr && keyboardHook != nullptr) {
        UnhookWindowsHookEx(keyboardHook);
        keyboardHook = nullptr;
    }
}

void deliverInjectedKeys() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace sim
