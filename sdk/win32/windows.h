// Minimal Win32 declarations for building Orbiter modules off Windows.
// Names, types, signatures and constant values follow the Windows SDK; the
// functions are implemented by the headless simulator (GDI on drawing surfaces,
// files under the working folder, an in-process clipboard).
#ifndef OKUL_SDK_WINDOWS_H
#define OKUL_SDK_WINDOWS_H

#include <stddef.h>
#include <stdint.h>

#define WINAPI
#define CALLBACK
#define APIENTRY

#define DECLARE_HANDLE(name) \
    struct name##__ {        \
        int unused;          \
    };                       \
    typedef struct name##__ *name

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;  // 32 bits as on Windows (not unsigned long)
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef int INT;
typedef char CHAR;
typedef short SHORT;
typedef float FLOAT;
typedef void VOID;
typedef void *PVOID;
typedef void *LPVOID;
typedef const void *LPCVOID;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef DWORD *LPDWORD;
typedef DWORD COLORREF;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef void *HANDLE;
typedef void *HGDIOBJ;

DECLARE_HANDLE(HINSTANCE);
typedef HINSTANCE HMODULE;
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HDC);
DECLARE_HANDLE(HBITMAP);
DECLARE_HANDLE(HFONT);
DECLARE_HANDLE(HBRUSH);
DECLARE_HANDLE(HPEN);

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef NULL
#define NULL 0
#endif

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *LPPOINT;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE, *LPSIZE;

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP, *LPBITMAP;

#pragma pack(push, 2)
typedef struct tagBITMAPFILEHEADER {
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
} BITMAPFILEHEADER;
#pragma pack(pop)

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER, *PBITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO, *PBITMAPINFO, *LPBITMAPINFO;

typedef struct _SECURITY_ATTRIBUTES SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;
typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
typedef ULONG_PTR DWORD_PTR;

// Stock objects
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define DC_BRUSH 18
#define DC_PEN 19

// Background modes, text alignment
#define TRANSPARENT 1
#define OPAQUE 2
#define TA_NOUPDATECP 0
#define TA_UPDATECP 1
#define TA_LEFT 0
#define TA_RIGHT 2
#define TA_CENTER 6
#define TA_TOP 0
#define TA_BOTTOM 8
#define TA_BASELINE 24

#define CLR_INVALID 0xFFFFFFFF
#define GDI_ERROR (0xFFFFFFFFL)
#define HGDI_ERROR ((HANDLE)(LONG_PTR)-1)

// Raster operations, DIBs
#define SRCCOPY (DWORD)0x00CC0020
#define BLACKNESS (DWORD)0x00000042
#define WHITENESS (DWORD)0x00FF0062
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1
#define BI_RGB 0L
#define BI_BITFIELDS 3L
#define OBJ_BITMAP 7

// Fonts
#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_NORMAL 400
#define FW_BOLD 700
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define RUSSIAN_CHARSET 204
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DEFAULT_PITCH 0

// Clipboard
#define CF_BITMAP 2

// Files
#define GENERIC_READ (0x80000000L)
#define GENERIC_WRITE (0x40000000L)
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

// Keyboard injection
#define KEYEVENTF_EXTENDEDKEY 0x0001
#define KEYEVENTF_KEYUP 0x0002
#define VK_MENU 0x12
#define VK_SNAPSHOT 0x2C

// Memory
#define GMEM_FIXED 0x0000
#define GMEM_ZEROINIT 0x0040
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
typedef HANDLE HGLOBAL;
typedef HANDLE HLOCAL;

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define OKUL_WINAPI_EXPORT __attribute__((visibility("default")))
#else
#define OKUL_WINAPI_EXPORT
#endif

// GDI: device contexts and objects
OKUL_WINAPI_EXPORT HDC WINAPI CreateCompatibleDC(HDC hdc);
OKUL_WINAPI_EXPORT HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy);
OKUL_WINAPI_EXPORT BOOL WINAPI DeleteDC(HDC hdc);
OKUL_WINAPI_EXPORT HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h);
OKUL_WINAPI_EXPORT BOOL WINAPI DeleteObject(HGDIOBJ ho);
OKUL_WINAPI_EXPORT HGDIOBJ WINAPI GetStockObject(int i);
OKUL_WINAPI_EXPORT int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv);
OKUL_WINAPI_EXPORT COLORREF WINAPI SetDCPenColor(HDC hdc, COLORREF color);
OKUL_WINAPI_EXPORT COLORREF WINAPI SetDCBrushColor(HDC hdc, COLORREF color);
OKUL_WINAPI_EXPORT HBRUSH WINAPI CreateSolidBrush(COLORREF color);
OKUL_WINAPI_EXPORT HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color);
OKUL_WINAPI_EXPORT HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation,
                                            int cWeight, DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut,
                                            DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                                            DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName);

// GDI: drawing
OKUL_WINAPI_EXPORT COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color);
OKUL_WINAPI_EXPORT COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color);
OKUL_WINAPI_EXPORT int WINAPI SetBkMode(HDC hdc, int mode);
OKUL_WINAPI_EXPORT UINT WINAPI SetTextAlign(HDC hdc, UINT align);
OKUL_WINAPI_EXPORT BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);
OKUL_WINAPI_EXPORT BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl);
OKUL_WINAPI_EXPORT BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom);
OKUL_WINAPI_EXPORT int WINAPI FillRect(HDC hDC, const RECT *lprc, HBRUSH hbr);
OKUL_WINAPI_EXPORT BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
OKUL_WINAPI_EXPORT BOOL WINAPI LineTo(HDC hdc, int x, int y);
OKUL_WINAPI_EXPORT COLORREF WINAPI GetPixel(HDC hdc, int x, int y);
OKUL_WINAPI_EXPORT COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color);
OKUL_WINAPI_EXPORT BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
OKUL_WINAPI_EXPORT int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits,
                                        LPBITMAPINFO lpbmi, UINT usage);

// USER: resources, clipboard, keyboard
OKUL_WINAPI_EXPORT HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName);
OKUL_WINAPI_EXPORT BOOL WINAPI OpenClipboard(HWND hWndNewOwner);
OKUL_WINAPI_EXPORT BOOL WINAPI CloseClipboard(void);
OKUL_WINAPI_EXPORT BOOL WINAPI EmptyClipboard(void);
OKUL_WINAPI_EXPORT HANDLE WINAPI GetClipboardData(UINT uFormat);
OKUL_WINAPI_EXPORT void WINAPI keybd_event(BYTE bVk, BYTE bScan, DWORD dwFlags, ULONG_PTR dwExtraInfo);

// KERNEL: files and memory
OKUL_WINAPI_EXPORT HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                             LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                                             DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                                             HANDLE hTemplateFile);
OKUL_WINAPI_EXPORT BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                                         LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);
OKUL_WINAPI_EXPORT BOOL WINAPI CloseHandle(HANDLE hObject);
OKUL_WINAPI_EXPORT HGLOBAL WINAPI GlobalAlloc(UINT uFlags, size_t dwBytes);
OKUL_WINAPI_EXPORT HGLOBAL WINAPI GlobalFree(HGLOBAL hMem);
OKUL_WINAPI_EXPORT HLOCAL WINAPI LocalAlloc(UINT uFlags, size_t uBytes);
OKUL_WINAPI_EXPORT HLOCAL WINAPI LocalFree(HLOCAL hMem);

#ifdef __cplusplus
}
#endif

#endif  // OKUL_SDK_WINDOWS_H
