// Links between the simulator's surfaces and the handles modules hold.
//
// A SURFHANDLE is the address of its sim::Surface (oapiCreateSurface makes
// one, oapiDestroySurface frees it, oapiGetDC lends a device context drawing
// on it). All surfaces and the device contexts lent on them are owned by one
// registry, so whatever a module forgets to free is released by
// releaseGdiResources() or at program exit.
//
// On Linux our own GDI (gdi/linux) draws on the surfaces directly; its
// bitmaps, pens, brushes, fonts and file handles belong to the same registry.
// On Windows (gdi/windows) a device context lent on a surface is a memory DC
// holding a DIB section with the surface's pixels: the real GDI draws there,
// and the pixels come back to the surface when the DC is released.
//
// Everything here runs on the simulator's thread only.
#pragma once

#include <OrbiterAPI.h>

#include <memory>

#include "gdi/Surface.h"

namespace sim {

// The surface of a live SURFHANDLE, or null when the handle is not one.
Surface *surfaceFromHandle(SURFHANDLE handle);
// The handle of a surface made by createSurface / oapiCreateSurface, or
// null when the surface is not registered.
SURFHANDLE surfaceHandle(const Surface *surface);
// A new registered surface of the given size (black), as oapiCreateSurface.
SURFHANDLE createSurface(int width, int height);
// A new registered surface holding a copy of `pixels` (its text records are
// not copied).
SURFHANDLE createSurface(const Surface &pixels);
// A new registered surface taking over `surface`.
SURFHANDLE adoptSurface(std::unique_ptr<Surface> surface);
// Frees a registered surface and every device context lent on it
// (as oapiDestroySurface). Unknown handles are ignored.
void destroySurface(SURFHANDLE handle);

// A copy of the pixels of a GDI bitmap, with its depth as bitsPerPixel; null
// when `bitmap` is not one.
std::unique_ptr<Surface> bitmapPixels(HBITMAP bitmap);
// A new GDI bitmap holding a copy of `pixels`; free it with DeleteObject.
// On Linux it keeps the surface's bitsPerPixel, on Windows it is a bitmap
// compatible with the screen.
HBITMAP createBitmap(const Surface &pixels);

// What is alive now: surfaces, GDI objects (bitmaps, pens, brushes, fonts;
// the stock objects included), device contexts and file handles. Leak checks
// compare them before and after.
struct GdiCounts {
    std::size_t surfaces, objects, contexts, files;
};
GdiCounts liveGdiCounts();

// Frees every surface, bitmap, device context, pen, brush, font and open
// file, the clipboard content and the font engine. Handles held by anyone
// become invalid; calls made afterwards start from an empty registry.
void releaseGdiResources();

}  // namespace sim
