#include "gdi/windows/TextCapture.h"

#include <cstring>

#include "gdi/Cp1251.h"

namespace sim {

namespace {

using TextOutFunction = BOOL(WINAPI *)(HDC, int, int, LPCSTR, int);

// gdi32's own TextOutA: the simulator's import of it is routed here too.
TextOutFunction realTextOut() {
    static const TextOutFunction function = reinterpret_cast<TextOutFunction>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("gdi32.dll"), "TextOutA")));
    return function;
}

BOOL WINAPI recordedTextOut(HDC dc, int x, int y, LPCSTR text, int length) {
    if (Surface *surface = lentContextSurface(dc);
        surface != nullptr && length >= 0 && (text != nullptr || length == 0)) {
        const UINT align = GetTextAlign(dc);
        if (align != GDI_ERROR && (align & TA_UPDATECP)) {
            POINT position;
            if (GetCurrentPositionEx(dc, &position)) {
                x = position.x;
                y = position.y;
            }
        }
        surface->addText(x, y, align == GDI_ERROR ? 0u : align, cp1251ToUtf8(text, std::size_t(length)));
    }
    return realTextOut()(dc, x, y, text, length);
}

// The import table entry of `function` from `library` in the image `image`,
// or null.
void **importEntry(HMODULE image, const char *library, const char *function) {
    auto *base = reinterpret_cast<unsigned char *>(image);
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE) return nullptr;
    const IMAGE_DATA_DIRECTORY &directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0) return nullptr;
    for (auto *import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + directory.VirtualAddress);
         import->Name != 0; ++import) {
        if (_stricmp(reinterpret_cast<const char *>(base + import->Name), library) != 0) continue;
        if (import->OriginalFirstThunk == 0) continue;  // no names to go by
        auto *names = reinterpret_cast<const IMAGE_THUNK_DATA *>(base + import->OriginalFirstThunk);
        auto *addresses = reinterpret_cast<IMAGE_THUNK_DATA *>(base + import->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto *byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char *>(byName->Name), function) == 0)
                return reinterpret_cast<void **>(&addresses->u1.Function);
        }
    }
    return nullptr;
}

}  // namespace

bool captureTexts(HMODULE library) {
    void **entry = importEntry(library, "gdi32.dll", "TextOutA");
    if (entry == nullptr) return false;
    void *const replacement = reinterpret_cast<void *>(&recordedTextOut);
    if (*entry == replacement) return true;
    DWORD protection = 0;
    if (!VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &protection)) return false;
    *entry = replacement;
    VirtualProtect(entry, sizeof *entry, protection, &protection);
    return true;
}

HMODULE simulatorLibrary() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&simulatorLibrary), &self);
    return self;
}

}  // namespace sim
