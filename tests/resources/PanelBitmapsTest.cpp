// The generated panel backgrounds: format the simulator expects, no colour
// key under any active area (and nowhere but the periscope window), and the
// module's resource table carrying both files byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "PanelElements.h"
#include "module_resources.h"

extern "C" const MODULE_RESOURCE orbiter_module_resources[];

namespace {

// The rectangles of the module's panel tables; the photo view counts with
// the 800 x 800 pixels it shows.
struct Rect {
    int id, left, top, right, bottom;
};

Rect RectOf(const PanelElement &area) {
    Rect r = {area.id, area.rect.left, area.rect.top, area.rect.right, area.rect.bottom};
    if (area.id == 3101) {
        r.right = r.left + kPhotoViewSize;
        r.bottom = r.top + kPhotoViewSize;
    }
    return r;
}

const Rect kPeriscope = RectOf(*FindPanelArea(kMainPanelAreas, kMainPanelAreaCount, 111));

const uint16_t kMagenta = 0x7C1F;

std::vector<unsigned char> ReadFile(const char *path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Le32(const std::vector<unsigned char> &b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t Le16(const std::vector<unsigned char> &b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

class Bitmap {
public:
    explicit Bitmap(const char *path) : bytes(ReadFile(path)) {}

    void ExpectFormat() const {
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(Le32(bytes, 2), bytes.size());
        EXPECT_EQ(Le32(bytes, 14), 40u);            // BITMAPINFOHEADER
        EXPECT_EQ(int32_t(Le32(bytes, 18)), 1152);  // width
        EXPECT_EQ(int32_t(Le32(bytes, 22)), 864);   // height, positive: bottom-up
        EXPECT_EQ(Le16(bytes, 28), 16);             // bits per pixel
        EXPECT_EQ(Le32(bytes, 30), 0u);             // BI_RGB, 5-5-5
        EXPECT_EQ(Le32(bytes, 10) + 1152u * 2u * 864u, bytes.size());
    }
    bool Valid() const { return bytes.size() == 54u + 1152u * 2u * 864u; }
    // Pixel in panel coordinates (top row first).
    uint16_t At(int x, int y) const {
        return Le16(bytes, Le32(bytes, 10) + (size_t(863 - y) * 1152 + x) * 2);
    }
    int MagentaIn(const Rect &r) const {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) count += At(x, y) == kMagenta;
        return count;
    }

    std::vector<unsigned char> bytes;
};

bool Inside(const Rect &r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

TEST(PanelBitmaps, AreSixteenBitBottomUpPanelSize) {
    for (const char *path : {OKUL_PANEL_MAIN_BMP, OKUL_PANEL_PHOTO_BMP}) {
        SCOPED_TRACE(path);
        Bitmap(path).ExpectFormat();
    }
}

TEST(PanelBitmaps, NoAreaShowsTheColourKey) {
    const Bitmap main(OKUL_PANEL_MAIN_BMP), photo(OKUL_PANEL_PHOTO_BMP);
    ASSERT_TRUE(main.Valid() && photo.Valid());
    for (const PanelElement &area : kMainPanelAreas) {
        if (area.id == 111) continue;  // the periscope window lets the view through
        EXPECT_EQ(main.MagentaIn(RectOf(area)), 0) << "main panel area " << area.id;
    }
    for (const PanelElement &area : kPhotoPanelAreas)
        EXPECT_EQ(photo.MagentaIn(RectOf(area)), 0) << "photo panel area " << area.id;
}

TEST(PanelBitmaps, ColourKeyOnlyInThePeriscopeWindow) {
    const Bitmap main(OKUL_PANEL_MAIN_BMP), photo(OKUL_PANEL_PHOTO_BMP);
    ASSERT_TRUE(main.Valid() && photo.Valid());
    int stray = 0;
    for (int y = 0; y < 864; ++y)
        for (int x = 0; x < 1152; ++x) {
            if (main.At(x, y) == kMagenta && !Inside(kPeriscope, x, y)) ++stray;
            if (photo.At(x, y) == kMagenta) ++stray;
        }
    EXPECT_EQ(stray, 0);
    // The window lets the outside view through, apart from its reticle.
    EXPECT_GT(main.MagentaIn(kPeriscope),
              (kPeriscope.right - kPeriscope.left) * (kPeriscope.bottom - kPeriscope.top) * 9 / 10);
}

TEST(ModuleResourceTable, CarriesBothBitmapsAndEndsWithNullData) {
    const Bitmap main(OKUL_PANEL_MAIN_BMP), photo(OKUL_PANEL_PHOTO_BMP);
    const MODULE_RESOURCE *table = orbiter_module_resources;
    ASSERT_NE(table[0].data, nullptr);
    ASSERT_NE(table[1].data, nullptr);
    EXPECT_EQ(table[2].data, nullptr);
    const Bitmap *files[2] = {&main, &photo};
    const unsigned short ids[2] = {109, 110};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(ids[i]);
        EXPECT_EQ(table[i].type, OKUL_RT_BITMAP);
        EXPECT_EQ(table[i].id, ids[i]);
        ASSERT_EQ(table[i].size, files[i]->bytes.size());
        EXPECT_EQ(std::memcmp(table[i].data, files[i]->bytes.data(), table[i].size), 0);
    }
}
