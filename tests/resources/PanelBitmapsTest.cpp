// The generated panel backgrounds: format the simulator expects, no colour
// key under any active area (and nowhere but the periscope window), and the
// module's resource table carrying both files byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "module_resources.h"

extern "C" const MODULE_RESOURCE orbiter_module_resources[];

namespace {

struct Rect {
    int id, left, top, right, bottom;
};

const Rect kMainAreas[] = {
    {0, 5, 15, 28, 315},       {1, 327, 15, 345, 315},      {2, 25, 315, 115, 330},
    {3, 350, 15, 368, 315},    {4, 672, 15, 690, 315},      {5, 370, 315, 460, 330},
    {6, 700, 15, 718, 315},    {7, 1022, 15, 1040, 315},    {8, 720, 315, 810, 330},
    {51, 29, 385, 439, 827},   {100, 524, 564, 672, 580},   {101, 524, 596, 672, 610},
    {102, 524, 629, 672, 642}, {103, 524, 660, 672, 674},   {104, 524, 692, 672, 706},
    {105, 764, 597, 872, 610}, {106, 796, 641, 838, 654},   {107, 796, 662, 838, 675},
    {108, 796, 681, 838, 694}, {109, 1007, 629, 1139, 804}, {110, 1060, 14, 1138, 197},
    {201, 474, 519, 520, 543}, {202, 604, 764, 674, 800},   {203, 701, 555, 737, 588},
    {204, 706, 763, 777, 800}, {205, 859, 764, 930, 801},   {206, 1055, 223, 1098, 246},
    {207, 623, 526, 669, 549}, {208, 822, 550, 868, 573},   {210, 913, 622, 959, 646},
};
const Rect kPhotoAreas[] = {
    {3201, 982, 588, 1061, 632},
    {3202, 879, 590, 957, 632},
    {3203, 878, 774, 956, 817},
    {3101, 32, 27, 832, 827},  // the view shows 800 x 800 pixels
};
const Rect kPeriscope = {111, 754, 352, 1140, 534};

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
    for (const Rect &r : kMainAreas) EXPECT_EQ(main.MagentaIn(r), 0) << "main panel area " << r.id;
    for (const Rect &r : kPhotoAreas) EXPECT_EQ(photo.MagentaIn(r), 0) << "photo panel area " << r.id;
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
