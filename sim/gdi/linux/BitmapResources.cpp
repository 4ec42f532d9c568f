// LoadBitmapA: bitmaps from a module's resource table.
//
// The instance handle a module receives is its dlopen handle; the module
// exports its resources as the table "orbiter_module_resources"
// (see module_resources.h). As on Windows, the bitmap is made compatible
// with the display, whatever the depth of the resource: 32 bits here.
#include <dlfcn.h>
#include <windows.h>
#include <module_resources.h>

#include <cstdio>

#include "gdi/BmpDecoder.h"
#include "gdi/SurfaceHandles.h"

extern "C" HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
    // Only numeric resource names (MAKEINTRESOURCE) exist in the tables.
    if (hInstance == nullptr || lpBitmapName == nullptr || !IS_INTRESOURCE(lpBitmapName)) return nullptr;
    const auto id = static_cast<unsigned short>(reinterpret_cast<ULONG_PTR>(lpBitmapName));
    const auto *table = static_cast<const MODULE_RESOURCE *>(dlsym(hInstance, OKUL_MODULE_RESOURCES_SYMBOL));
    if (table == nullptr) return nullptr;
    for (const MODULE_RESOURCE *entry = table; entry->data != nullptr; ++entry) {
        if (entry->type != OKUL_RT_BITMAP || entry->id != id) continue;
        std::string error;
        std::unique_ptr<sim::Surface> image = sim::decodeBmp(entry->data, entry->size, error);
        if (!image) {
            std::fprintf(stderr, "okulsim: bitmap resource %u: %s\n", unsigned(id), error.c_str());
            return nullptr;
        }
        image->setBitsPerPixel(32);
        return sim::createBitmap(*image);
    }
    return nullptr;
}
