#include "BmpWriter.h"

namespace {

const WORD kBitmapFileType = 0x4D42;  // "BM"
const DWORD kFileHeaderSize = 14;
const DWORD kInfoHeaderSize = 40;

// The colour table's entries for a depth class (2^class below 24 bits).
DWORD ColourTableEntries(int depthClass) { return depthClass < 24 ? DWORD(1) << depthClass : 0; }

// 14 bytes, little-endian, whatever the compiler's packing.
void PutFileHeader(BYTE (&bytes)[kFileHeaderSize], DWORD fileSize, DWORD pixelOffset) {
    const DWORD values[] = {kBitmapFileType, fileSize, 0, pixelOffset};
    const int widths[] = {2, 4, 4, 4};  // type, size, the two reserved 16-bit zeros, offset
    int at = 0;
    for (int field = 0; field < 4; ++field)
        for (int byte = 0; byte < widths[field]; ++byte) bytes[at++] = BYTE(values[field] >> (8 * byte));
}

bool WriteAll(HANDLE file, const void *data, DWORD size) {
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

BITMAPINFO *BuildBitmapHeader(HBITMAP bitmap) {
    BITMAP description;
    if (GetObjectA(bitmap, sizeof(description), &description) == 0) return nullptr;
    const int bits = description.bmPlanes * description.bmBitsPixel;
    int depthClass = 32;
    if (bits == 1) {
        depthClass = 1;
    } else if (bits <= 4) {
        depthClass = 4;
    } else if (bits <= 8) {
        depthClass = 8;
    } else if (bits <= 16) {
        depthClass = 16;
    } else if (bits <= 24) {
        depthClass = 24;
    }
    const DWORD entries = ColourTableEntries(depthClass);
    BITMAPINFO *info =
        static_cast<BITMAPINFO *>(LocalAlloc(LPTR, kInfoHeaderSize + entries * sizeof(RGBQUAD)));
    if (!info) return nullptr;
    BITMAPINFOHEADER &header = info->bmiHeader;
    header.biSize = kInfoHeaderSize;
    header.biWidth = description.bmWidth;
    header.biHeight = description.bmHeight;  // positive: bottom-up rows
    header.biPlanes = description.bmPlanes;
    header.biBitCount = description.bmBitsPixel;
    header.biCompression = BI_RGB;
    header.biSizeImage =
        DWORD((description.bmWidth * depthClass + 31) & ~31) / 8 * DWORD(description.bmHeight);
    header.biXPelsPerMeter = 0;
    header.biYPelsPerMeter = 0;
    header.biClrUsed = entries;
    header.biClrImportant = 0;
    return info;
}

int WriteBmpFile(const char *path, BITMAPINFO *info, HBITMAP bitmap, HDC context) {
    const BITMAPINFOHEADER &header = info->bmiHeader;
    const DWORD tableSize = header.biClrUsed * sizeof(RGBQUAD);
    int failures = 0;

    BYTE *pixels = static_cast<BYTE *>(GlobalAlloc(GMEM_FIXED, header.biSizeImage));
    if (!pixels || !GetDIBits(context, bitmap, 0, UINT(header.biHeight), pixels, info, DIB_RGB_COLORS))
        failures += kBmpPixelsNotRead;

    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) failures += kBmpFileNotCreated;

    BYTE fileHeader[kFileHeaderSize];
    const DWORD pixelOffset = kFileHeaderSize + kInfoHeaderSize + tableSize;
    PutFileHeader(fileHeader, pixelOffset + header.biSizeImage, pixelOffset);
    if (!WriteAll(file, fileHeader, kFileHeaderSize)) failures += kBmpFileHeaderNotWritten;
    if (!WriteAll(file, info, kInfoHeaderSize + tableSize)) failures += kBmpInfoNotWritten;
    if (!pixels || !WriteAll(file, pixels, header.biSizeImage)) failures += kBmpPixelsNotWritten;
    if (!CloseHandle(file)) failures += kBmpFileNotClosed;

    if (pixels) GlobalFree(pixels);
    return failures;
}

int SaveSurfaceBmp(SURFHANDLE surface, int x, int y, int width, int height, const char *path) {
    HDC surfaceContext = oapiGetDC(surface);
    HDC memory = CreateCompatibleDC(surfaceContext);
    HBITMAP bitmap = CreateCompatibleBitmap(surfaceContext, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, surfaceContext, x, y, SRCCOPY);
    // GetDIBits wants the bitmap out of any context.
    SelectObject(memory, previous);

    BITMAPINFO *header = BuildBitmapHeader(bitmap);
    int failures = kBmpPixelsNotRead;
    if (header) {
        failures = WriteBmpFile(path, header, bitmap, memory);
        LocalFree(header);
    }

    DeleteObject(bitmap);
    oapiReleaseDC(surface, surfaceContext);
    DeleteDC(memory);
    return failures == 0 ? 1 : 0;
}
