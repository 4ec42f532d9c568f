// Shapes, lines, pixels, objects and block transfers.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "SurfaceDc.h"

using testsupport::SurfaceDc;

namespace {

// The box of the pixels drawn, "left top right bottom" (inclusive), or "none".
std::string InkBox(const SurfaceDc &area) {
    RECT box;
    if (!area.ink(box)) return "none";
    return std::to_string(box.left) + " " + std::to_string(box.top) + " " + std::to_string(box.right) + " " +
           std::to_string(box.bottom);
}

const COLORREF black = RGB(0, 0, 0);

TEST(GdiRectangle, CoversLeftTopButNotRightBottomEdge) {
    SurfaceDc area(40, 40);
    SelectObject(area.dc, GetStockObject(DC_PEN));
    SelectObject(area.dc, GetStockObject(DC_BRUSH));
    SetDCPenColor(area.dc, RGB(100, 0, 0));
    SetDCBrushColor(area.dc, RGB(10, 0, 0));
    Rectangle(area.dc, 0, 0, 10, 20);
    // Outline in the pen colour on x 0 and 9, y 0 and 19; inside the brush.
    EXPECT_EQ(area.at(0, 0), RGB(100, 0, 0));
    EXPECT_EQ(area.at(9, 0), RGB(100, 0, 0));
    EXPECT_EQ(area.at(0, 19), RGB(100, 0, 0));
    EXPECT_EQ(area.at(9, 19), RGB(100, 0, 0));
    EXPECT_EQ(area.at(5, 10), RGB(10, 0, 0));
    EXPECT_EQ(area.at(1, 1), RGB(10, 0, 0));
    EXPECT_EQ(area.at(10, 5), black);
    EXPECT_EQ(area.at(5, 20), black);
}

TEST(GdiRectangle, NullPenFillsWithoutOutlineAndReversedCornersAreNormalised) {
    SurfaceDc area(40, 40);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    SelectObject(area.dc, GetStockObject(NULL_PEN));
    SelectObject(area.dc, brush);
    Rectangle(area.dc, 30, 25, 20, 15);
    // Without an outline GDI fills one pixel less each way: [20, 29) x [15, 24).
    EXPECT_EQ(InkBox(area), "20 15 28 23");
    EXPECT_EQ(area.at(20, 15), RGB(1, 2, 3));
    EXPECT_EQ(area.at(28, 23), RGB(1, 2, 3));
    EXPECT_EQ(area.at(29, 23), black);
    EXPECT_EQ(area.at(28, 24), black);

    // The null brush with a pen leaves the inside untouched.
    SelectObject(area.dc, GetStockObject(NULL_BRUSH));
    SelectObject(area.dc, GetStockObject(WHITE_PEN));
    Rectangle(area.dc, 0, 0, 5, 5);
    EXPECT_EQ(area.at(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(area.at(2, 2), black);
    SelectObject(area.dc, GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(DeleteObject(brush));
}

TEST(GdiRectangle, RectangleClippedAtTheSurfaceEdges) {
    SurfaceDc area(10, 10);
    SelectObject(area.dc, GetStockObject(NULL_PEN));
    SelectObject(area.dc, GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(Rectangle(area.dc, -5, -5, 3, 100));
    EXPECT_EQ(area.at(0, 9), RGB(255, 255, 255));
    EXPECT_EQ(area.at(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(area.at(2, 0), black);
}

// Rectangles given from their far end, as GDI takes them (Wine's pixels).
TEST(GdiRectangle, ReversedFillsAndBlocksCoverThePixelsBeforeTheStart) {
    SurfaceDc area(40, 30);
    HBRUSH brush = CreateSolidBrush(RGB(9, 8, 7));
    const RECT reversed{8, 8, 5, 6};  // x 6..8, y 7..8
    EXPECT_EQ(FillRect(area.dc, &reversed, brush), 1);
    RECT box;
    EXPECT_EQ(InkBox(area), "6 7 8 8");

    SurfaceDc source(10, 8), target(40, 30);
    for (int x = 0; x < 10; ++x) source.surface().fillRect(x, 0, x + 1, 8, sim::Surface::rgb(0, 0, 10 + x));
    EXPECT_TRUE(BitBlt(target.dc, 25, 2, -5, 6, source.dc, 4, 1, SRCCOPY));  // x 21..25 from 0..4
    EXPECT_EQ(InkBox(target), "21 2 25 7");
    EXPECT_EQ(target.at(25, 2), RGB(0, 0, 14));

    // With a pen, a one-pixel rectangle draws nothing; one pixel wide, a line.
    SurfaceDc shapes(20, 20);
    SelectObject(shapes.dc, GetStockObject(WHITE_PEN));
    Rectangle(shapes.dc, 8, 8, 9, 9);
    EXPECT_FALSE(shapes.ink(box));
    Rectangle(shapes.dc, 8, 8, 9, 11);
    ASSERT_TRUE(shapes.ink(box));
    EXPECT_EQ(box.bottom - box.top, 2);
    EXPECT_TRUE(DeleteObject(brush));
}

TEST(GdiDcColours, DcPenAndBrushColoursAffectOnlyTheDcStockObjects) {
    SurfaceDc area(20, 10);
    SetDCPenColor(area.dc, RGB(255, 0, 0));
    SetDCBrushColor(area.dc, RGB(0, 255, 0));
    // The default pen and brush (black, white) are not DC objects.
    Rectangle(area.dc, 0, 0, 5, 5);
    EXPECT_EQ(area.at(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(area.at(2, 2), RGB(255, 255, 255));
    HGDIOBJ oldPen = SelectObject(area.dc, GetStockObject(DC_PEN));
    HGDIOBJ oldBrush = SelectObject(area.dc, GetStockObject(DC_BRUSH));
    EXPECT_EQ(oldPen, GetStockObject(BLACK_PEN));
    EXPECT_EQ(oldBrush, GetStockObject(WHITE_BRUSH));
    Rectangle(area.dc, 10, 0, 15, 5);
    EXPECT_EQ(area.at(10, 0), RGB(255, 0, 0));
    EXPECT_EQ(area.at(12, 2), RGB(0, 255, 0));
    // The previous colour is returned; a later change applies to later drawing.
    EXPECT_EQ(SetDCBrushColor(area.dc, RGB(0, 0, 255)), RGB(0, 255, 0));
    Rectangle(area.dc, 15, 5, 20, 10);
    EXPECT_EQ(area.at(17, 7), RGB(0, 0, 255));
    EXPECT_EQ(area.at(12, 2), RGB(0, 255, 0));
}

TEST(GdiLines, EndPointExcludedAndPositionMoves) {
    SurfaceDc area(30, 30);
    SelectObject(area.dc, GetStockObject(WHITE_PEN));
    POINT previous{-1, -1};
    MoveToEx(area.dc, 2, 5, &previous);
    EXPECT_EQ(previous.x, 0);
    EXPECT_EQ(previous.y, 0);
    LineTo(area.dc, 12, 5);
    EXPECT_EQ(area.at(2, 5), RGB(255, 255, 255));
    EXPECT_EQ(area.at(11, 5), RGB(255, 255, 255));
    EXPECT_EQ(area.at(12, 5), black);
    // Continues from (12, 5): the vertical segment starts where the first ended.
    LineTo(area.dc, 12, 15);
    EXPECT_EQ(area.at(12, 5), RGB(255, 255, 255));
    EXPECT_EQ(area.at(12, 14), RGB(255, 255, 255));
    EXPECT_EQ(area.at(12, 15), black);
    // Backwards and diagonal lines also stop one short of the end.
    MoveToEx(area.dc, 20, 20, nullptr);
    LineTo(area.dc, 15, 25);
    EXPECT_EQ(area.at(20, 20), RGB(255, 255, 255));
    EXPECT_EQ(area.at(16, 24), RGB(255, 255, 255));
    EXPECT_EQ(area.at(15, 25), black);
    // A zero-length line draws nothing.
    MoveToEx(area.dc, 25, 2, nullptr);
    LineTo(area.dc, 25, 2);
    EXPECT_EQ(area.at(25, 2), black);
}

// Where the ideal line passes half-way between two pixels, the direction
// decides which one is drawn; the pixels are Wine's for the same lines.
TEST(GdiLines, TiesGoTheWayGdiTakesThemPerDirection) {
    struct Line {
        int x0, y0, x1, y1;
        std::vector<std::pair<int, int>> pixels;
    };
    const Line lines[] = {
        // shallow, down and right: keeps its row at the ties
        {33,
         31,
         45,
         33,
         {{33, 31},
          {34, 31},
          {35, 31},
          {36, 31},
          {37, 32},
          {38, 32},
          {39, 32},
          {40, 32},
          {41, 32},
          {42, 32},
          {43, 33},
          {44, 33}}},
        // shallow, up and right: steps at the ties
        {10,
         10,
         22,
         8,
         {{10, 10},
          {11, 10},
          {12, 10},
          {13, 9},
          {14, 9},
          {15, 9},
          {16, 9},
          {17, 9},
          {18, 9},
          {19, 8},
          {20, 8},
          {21, 8}}},
        // shallow, down and left: keeps its row
        {22,
         10,
         10,
         12,
         {{22, 10},
          {21, 10},
          {20, 10},
          {19, 10},
          {18, 11},
          {17, 11},
          {16, 11},
          {15, 11},
          {14, 11},
          {13, 11},
          {12, 12},
          {11, 12}}},
        // steep, down and right: keeps its column; up and left: steps
        {10,
         10,
         12,
         22,
         {{10, 10},
          {10, 11},
          {10, 12},
          {10, 13},
          {11, 14},
          {11, 15},
          {11, 16},
          {11, 17},
          {11, 18},
          {11, 19},
          {12, 20},
          {12, 21}}},
        {12,
         22,
         10,
         10,
         {{12, 22},
          {12, 21},
          {12, 20},
          {11, 19},
          {11, 18},
          {11, 17},
          {11, 16},
          {11, 15},
          {11, 14},
          {10, 13},
          {10, 12},
          {10, 11}}},
    };
    for (const Line &line : lines) {
        SurfaceDc area(64, 64);
        SelectObject(area.dc, GetStockObject(WHITE_PEN));
        MoveToEx(area.dc, line.x0, line.y0, nullptr);
        LineTo(area.dc, line.x1, line.y1);
        std::size_t inked = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) inked += area.at(x, y) != black;
        EXPECT_EQ(inked, line.pixels.size())
            << line.x0 << "," << line.y0 << " -> " << line.x1 << "," << line.y1;
        for (const auto &pixel : line.pixels)
            EXPECT_EQ(area.at(pixel.first, pixel.second), RGB(255, 255, 255))
                << pixel.first << "," << pixel.second << " of " << line.x0 << "," << line.y0 << " -> "
                << line.x1 << "," << line.y1;
    }
}

TEST(GdiLines, PixelCountOfAShallowLineAndNullPen) {
    SurfaceDc area(20, 10);
    HPEN pen = CreatePen(0, 1, RGB(9, 9, 9));
    SelectObject(area.dc, pen);
    MoveToEx(area.dc, 0, 0, nullptr);
    LineTo(area.dc, 10, 3);
    int lit = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) lit += area.at(x, y) == RGB(9, 9, 9);
    EXPECT_EQ(lit, 10);  // one pixel per column, the end column excluded
    SelectObject(area.dc, GetStockObject(NULL_PEN));
    MoveToEx(area.dc, 0, 8, nullptr);
    LineTo(area.dc, 10, 8);
    EXPECT_EQ(area.at(3, 8), black);
    EXPECT_TRUE(DeleteObject(pen));
}

TEST(GdiPixels, ReadsAndWritesOutsideTheSurface) {
    SurfaceDc area(800, 800);
    EXPECT_EQ(SetPixel(area.dc, 10, 20, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(area.dc, 10, 20), RGB(1, 2, 3));
    // Column 800 lies outside: reads are CLR_INVALID (white components), writes do nothing.
    const COLORREF outside = GetPixel(area.dc, 800, 5);
    EXPECT_EQ(outside, CLR_INVALID);
    EXPECT_EQ(GetRValue(outside), 255);
    EXPECT_EQ(GetGValue(outside), 255);
    EXPECT_EQ(GetBValue(outside), 255);
    EXPECT_EQ(GetPixel(area.dc, -1, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(area.dc, 0, 800), CLR_INVALID);
    EXPECT_EQ(SetPixel(area.dc, 800, 5, RGB(1, 1, 1)), CLR_INVALID);
    EXPECT_EQ(SetPixel(area.dc, -3, -3, RGB(1, 1, 1)), CLR_INVALID);
    // Stale or foreign handles are refused rather than followed.
    EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
    int notADc = 0;
    EXPECT_EQ(GetPixel(reinterpret_cast<HDC>(&notADc), 0, 0), CLR_INVALID);
}

TEST(GdiObjects, MemoryDcBitmapSelectionAndDeletion) {
    SurfaceDc area(10, 10);
    HDC memory = CreateCompatibleDC(area.dc);
    ASSERT_NE(memory, nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(area.dc, 4, 3);
    ASSERT_NE(bitmap, nullptr);
    HGDIOBJ initial = SelectObject(memory, bitmap);
    ASSERT_NE(initial, nullptr);
    // A bitmap goes into one DC at a time and cannot be deleted while selected.
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_EQ(SelectObject(memory, initial), bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));                    // already gone
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));  // stock objects stay
    EXPECT_NE(GetStockObject(BLACK_PEN), nullptr);
    EXPECT_TRUE(DeleteDC(other));
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_FALSE(DeleteDC(memory));
    // A bitmap is never selected into a DC lent on a surface.
    HBITMAP second = CreateCompatibleBitmap(area.dc, 2, 2);
    EXPECT_EQ(SelectObject(area.dc, second), nullptr);
    EXPECT_TRUE(DeleteObject(second));
}

TEST(GdiBitBlt, CopiesClippedBlocksBetweenSurfaceAndMemoryBitmap) {
    SurfaceDc source(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) SetPixel(source.dc, x, y, RGB(x, y, 7));
    HDC memory = CreateCompatibleDC(source.dc);
    HBITMAP bitmap = CreateCompatibleBitmap(source.dc, 8, 8);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    EXPECT_TRUE(BitBlt(memory, 0, 0, 8, 8, source.dc, 5, 6, SRCCOPY));
    EXPECT_EQ(GetPixel(memory, 0, 0), RGB(5, 6, 7));
    EXPECT_EQ(GetPixel(memory, 7, 7), RGB(12, 13, 7));
    // A source block reaching past the source edge copies only what exists.
    BitBlt(memory, 0, 0, 8, 8, source.dc, 16, 16, SRCCOPY);
    EXPECT_EQ(GetPixel(memory, 3, 3), RGB(19, 19, 7));
    EXPECT_EQ(GetPixel(memory, 4, 4), RGB(9, 10, 7));  // left from the first copy
    // Negative destinations are clipped, shifting the source accordingly.
    SurfaceDc target(4, 4);
    BitBlt(target.dc, -2, -2, 6, 6, source.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(target.at(0, 0), RGB(2, 2, 7));
    EXPECT_TRUE(BitBlt(target.dc, 0, 0, 4, 4, nullptr, 0, 0, WHITENESS));
    EXPECT_EQ(target.at(3, 3), RGB(255, 255, 255));
    EXPECT_FALSE(BitBlt(target.dc, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST(GdiSurfaces, DestroyingASurfaceInvalidatesItsDcsAndCopyFromBitmap) {
    SURFHANDLE handle = oapiCreateSurface(5, 5);
    HDC dc = oapiGetDC(handle);
    ASSERT_NE(dc, nullptr);
    oapiDestroySurface(handle);
    EXPECT_EQ(sim::surfaceFromHandle(handle), nullptr);
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_FALSE(Rectangle(dc, 0, 0, 2, 2));

    sim::Surface pixels(3, 2, sim::Surface::rgb(1, 2, 3));
    pixels.setBitsPerPixel(16);
    HBITMAP bitmap = sim::createBitmap(pixels);
    SURFHANDLE kept = oapiCreateSurface(bitmap, false);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(sim::surfaceFromHandle(kept)->pixel(2, 1), sim::Surface::rgb(1, 2, 3));
    EXPECT_EQ(sim::surfaceFromHandle(kept)->bitsPerPixel(), 32);
    EXPECT_NE(sim::bitmapPixels(bitmap), nullptr);
    SURFHANDLE released = oapiCreateSurface(bitmap, true);
    EXPECT_NE(released, nullptr);
    EXPECT_EQ(sim::bitmapPixels(bitmap), nullptr);
    oapiDestroySurface(kept);
    oapiDestroySurface(released);
}

}  // namespace
