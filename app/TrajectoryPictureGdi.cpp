// The picture of the `plot` command drawn with GDI on a DIB section (the
// Windows build), written through the simulator's PNG writer.
#include <windows.h>

#include <cstring>

#include "TrajectoryPicture.h"
#include "gdi/PngWriter.h"

namespace okulsim {

namespace {

int pixel(double value) { return int(value >= 0 ? value + 0.5 : value - 0.5); }

void disc(HDC dc, double x, double y, double radius, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, pixel(x - radius), pixel(y - radius), pixel(x + radius) + 1, pixel(y + radius) + 1);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(brush);
}

void text(HDC dc, int x, int baseline, const std::string &line) {
    TextOutA(dc, x, baseline, line.c_str(), int(line.size()));
}

// Shows a label beside a point, on the side of the picture that has room.
void label(HDC dc, const TrajectoryPicture::Mark &mark, double dy, int size) {
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc, mark.label.c_str(), int(mark.label.size()), &extent);
    const double x = mark.at.x;
    const double left = x + 10.0 + extent.cx < size - 8 ? x + 10.0 : x - 10.0 - extent.cx;
    text(dc, pixel(left), pixel(mark.at.y + dy), mark.label);
}

}  // namespace

bool paintTrajectoryPicture(const TrajectoryPicture &picture, const std::string &file, std::string &error) {
    const int size = picture.size;
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = section != nullptr ? CreateCompatibleDC(nullptr) : nullptr;
    if (dc == nullptr) {
        if (section != nullptr) DeleteObject(section);
        error = "cannot make a drawing surface for " + file;
        return false;
    }
    HGDIOBJ previousBitmap = SelectObject(dc, section);

    RECT all{0, 0, size, size};
    HBRUSH background = CreateSolidBrush(RGB(10, 13, 23));
    FillRect(dc, &all, background);
    DeleteObject(background);
    disc(dc, size / 2.0, size / 2.0, picture.bodyRadius, RGB(64, 115, 191));

    HPEN pathPen = CreatePen(PS_SOLID, 2, picture.ahead ? RGB(242, 217, 77) : RGB(153, 153, 153));
    HGDIOBJ previousPen = SelectObject(dc, pathPen);
    std::vector<POINT> points;
    points.reserve(picture.path.size());
    for (const TrajectoryPicture::Point &p : picture.path) points.push_back(POINT{pixel(p.x), pixel(p.y)});
    if (points.size() > 1) Polyline(dc, points.data(), int(points.size()));
    SelectObject(dc, previousPen);
    DeleteObject(pathPen);
    if (!picture.path.empty())
        disc(dc, picture.path.front().x, picture.path.front().y, 4,
             picture.ahead ? RGB(242, 217, 77) : RGB(153, 153, 153));

    HFONT font = CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    if (picture.periapsis.shown) {
        disc(dc, picture.periapsis.at.x, picture.periapsis.at.y, 5, RGB(255, 89, 77));
        SetTextColor(dc, RGB(255, 89, 77));
        label(dc, picture.periapsis, -8, size);
    }
    if (picture.target.shown) {
        const int x = pixel(picture.target.at.x), y = pixel(picture.target.at.y);
        HPEN cross = CreatePen(PS_SOLID, 2, RGB(77, 255, 102));
        previousPen = SelectObject(dc, cross);
        MoveToEx(dc, x - 7, y - 7, nullptr);
        LineTo(dc, x + 7, y + 7);
        MoveToEx(dc, x - 7, y + 7, nullptr);
        LineTo(dc, x + 7, y - 7);
        SelectObject(dc, previousPen);
        DeleteObject(cross);
        SetTextColor(dc, RGB(77, 255, 102));
        label(dc, picture.target, 18, size);
    }
    SetTextColor(dc, RGB(230, 230, 230));
    text(dc, 16, 26, picture.title);
    text(dc, 16, size - 16, picture.scale);
    SelectObject(dc, previousFont);
    DeleteObject(font);
    GdiFlush();

    const sim::Surface pixels(size, size, static_cast<const std::uint32_t *>(bits));
    SelectObject(dc, previousBitmap);
    DeleteDC(dc);
    DeleteObject(section);
    return sim::writePng(pixels, file, error);
}

}  // namespace okulsim
