// Text drawing cost of the simulator's drawing layer: one frame of the
// terminal area (410 x 442) with 50 strings of 40 characters, Latin and
// Cyrillic, drawn through TextOutA with a 10-pixel Arial font.
#include <OrbiterAPI.h>
#include <benchmark/benchmark.h>

#include <cstring>

#include "gdi/SurfaceHandles.h"

namespace {

// 40 characters each (Windows-1251 bytes, as modules draw them).
const char *const latinLine = "PLM 5 answer 12.5 km/s 43644.123456 ABCD";
const char cyrillicLine[] =
    "\xCA\xE0\xE4\xF0 3 \xC2\xF0\xE5\xEC\xFF 43644.123456 \xCF\xE0\xF0\xE0\xEC 0 0 1 \xD1\xF2";

void TextFrame(benchmark::State &state) {
    SURFHANDLE surface = oapiCreateSurface(410, 442);
    HFONT font = CreateFontA(-10, 0, 0, 900, 10, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, 0, 0, "Arial");
    const int cyrillicLength = int(std::strlen(cyrillicLine));
    for (auto _ : state) {
        // As a panel area redrawn from its background every frame.
        sim::surfaceFromHandle(surface)->clearTexts();
        HDC dc = oapiGetDC(surface);
        SelectObject(dc, font);
        SetTextAlign(dc, TA_LEFT | TA_TOP);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(250, 250, 250));
        for (int line = 0; line < 50; ++line) {
            const bool cyrillic = line % 2 == 1;
            TextOutA(dc, 3, 3 + 8 * line, cyrillic ? cyrillicLine : latinLine, cyrillic ? cyrillicLength : 40);
        }
        oapiReleaseDC(surface, dc);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 50);
    DeleteObject(font);
    oapiDestroySurface(surface);
}
BENCHMARK(TextFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
