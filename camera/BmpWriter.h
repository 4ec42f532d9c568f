// Saving a drawing surface as a BMP file: an uncompressed, bottom-up bitmap
// of the surface's own pixel depth, with a colour table for depths up to 16
// bits (2, 16, 256 or 65,536 entries, left zero) and none for 24 and 32.
#ifndef OKUL_CAMERA_BMPWRITER_H
#define OKUL_CAMERA_BMPWRITER_H

#include <OrbiterAPI.h>

// Failures of WriteBmpFile, added up in its result.
enum BmpWriteFailure {
    kBmpPixelsNotRead = 1,
    kBmpFileNotCreated = 2,
    kBmpFileHeaderNotWritten = 4,
    kBmpInfoNotWritten = 8,
    kBmpPixelsNotWritten = 16,
    kBmpFileNotClosed = 32
};

// Copies the rectangle (x, y, width, height) of the surface into a BMP file
// at `path` (Windows separators). Returns 1 when the file was written, 0
// when it was not (a missing folder, a full disk).
int SaveSurfaceBmp(SURFHANDLE surface, int x, int y, int width, int height, const char *path);

// A zero-filled block holding the information header of the bitmap and its
// colour table, allocated with LocalAlloc (release it with LocalFree); null
// when the bitmap cannot be described or the block not allocated.
BITMAPINFO *BuildBitmapHeader(HBITMAP bitmap);

// Writes the bitmap, read through `context` in the header's format, to a
// file at `path`, replacing an existing one. Every step runs whatever failed
// before; the result is the sum of the BmpWriteFailure bits of the steps that
// failed (0 on success; a folder that does not exist gives 62).
int WriteBmpFile(const char *path, BITMAPINFO *header, HBITMAP bitmap, HDC context);

#endif  // OKUL_CAMERA_BMPWRITER_H
