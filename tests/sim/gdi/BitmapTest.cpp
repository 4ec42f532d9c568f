// Bitmaps: descriptions, GetDIBits and bitmap resources.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <module_resources.h>

#include <cstring>
#include <vector>

#include "SurfaceDc.h"
#include "gdi/BmpDecoder.h"

using testsupport::SurfaceDc;

namespace {

// A BMP file of the given depth whose pixel (x, y) (from the top) has
// colour(x, y); 16-bit pixels are 5-5-5 values.
template <typename Colour>
std::vector<unsigned char> makeBmp(int width, int height, int bits, bool topDown, Colour colour) {
    const int stride = ((width * bits + 31) / 32) * 4;
    std::vector<unsigned char> file(54 + std::size_t(stride) * height, 0);
    auto put16 = [&](std::size_t at, unsigned value) {
        file[at] = static_cast<unsigned char>(value);
        file[at + 1] = static_cast<unsigned char>(value >> 8);
    };
    auto put32 = [&](std::size_t at, std::uint32_t value) {
        put16(at, value & 0xFFFF);
        put16(at + 2, value >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, std::uint32_t(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(topDown ? -height : height));
    put16(26, 1);
    put16(28, unsigned(bits));
    for (int y = 0; y < height; ++y) {
        const int line = topDown ? y : height - 1 - y;
        unsigned char *row = file.data() + 54 + std::size_t(line) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value = colour(x, y);
            if (bits == 16) {
                row[2 * x] = static_cast<unsigned char>(value);
                row[2 * x + 1] = static_cast<unsigned char>(value >> 8);
            } else {
                for (int byte = 0; byte < bits / 8; ++byte)
                    row[x * bits / 8 + byte] = static_cast<unsigned char>(value >> (8 * byte));
            }
        }
    }
    return file;
}

// The description of uncompressed device-independent bits asked for.
BITMAPINFO DibInfo(int width, int height, int bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bits);
    return info;
}

}  // namespace

extern "C" {
// The resource table this test program exports, as a module does.
__attribute__((visibility("default"))) MODULE_RESOURCE orbiter_module_resources[4] = {};
}

namespace {

TEST(GdiBitmaps, GetObjectDescribesTheBitmap) {
    SurfaceDc area(10, 10);
    HBITMAP bitmap = CreateCompatibleBitmap(area.dc, 13, 7);
    EXPECT_EQ(GetObjectA(bitmap, 0, nullptr), int(sizeof(BITMAP)));
    BITMAP description{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof description, &description), int(sizeof(BITMAP)));
    EXPECT_EQ(description.bmWidth, 13);
    EXPECT_EQ(description.bmHeight, 7);
    EXPECT_EQ(description.bmPlanes, 1);
    EXPECT_EQ(description.bmBitsPixel, 32);
    EXPECT_EQ(description.bmWidthBytes, 52);
    EXPECT_EQ(GetObjectA(bitmap, 4, &description), 0);
    EXPECT_EQ(GetObjectA(GetStockObject(BLACK_PEN), sizeof description, &description), 0);
    DeleteObject(bitmap);
}

class GdiDibBits : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Surface pixels(3, 2);
        pixels.setPixel(0, 0, sim::Surface::rgb(255, 0, 0));
        pixels.setPixel(1, 0, sim::Surface::rgb(0, 255, 0));
        pixels.setPixel(2, 0, sim::Surface::rgb(0, 0, 255));
        pixels.setPixel(0, 1, sim::Surface::rgb(8, 16, 24));
        bitmap = sim::createBitmap(pixels);
        memory = CreateCompatibleDC(nullptr);
        previous = SelectObject(memory, bitmap);  // read while selected, as modules do
    }
    void TearDown() override {
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(bitmap);
    }
    HBITMAP bitmap = nullptr;
    HDC memory = nullptr;
    HGDIOBJ previous = nullptr;
};

TEST_F(GdiDibBits, NullBufferFillsTheHeader) {
    // As Wine answers: the bitmap describes itself as bit fields of its depth
    // (the masks are not written) and the height comes back.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiColors[0] = RGBQUAD{1, 2, 3, 4};
    ASSERT_EQ(GetDIBits(memory, bitmap, 0, 2, nullptr, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(info.bmiHeader.biWidth, 3);
    EXPECT_EQ(info.bmiHeader.biHeight, 2);
    EXPECT_EQ(info.bmiHeader.biPlanes, 1);
    EXPECT_EQ(info.bmiHeader.biBitCount, 32);
    EXPECT_EQ(info.bmiHeader.biCompression, DWORD(BI_BITFIELDS));
    EXPECT_EQ(info.bmiHeader.biSizeImage, 24u);
    EXPECT_EQ(info.bmiColors[0].rgbBlue, 1);
    // With a bit count given, the image size of that format, and 1.
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    ASSERT_EQ(GetDIBits(memory, bitmap, 0, 2, nullptr, &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 24u);  // 9 bytes padded to 12, two rows
    info.bmiHeader.biSize = 12;
    EXPECT_EQ(GetDIBits(memory, bitmap, 0, 2, nullptr, &info, DIB_RGB_COLORS), 0);
}

// A DIB taller than the bitmap: the lines beyond it are zero and not
// counted (Wine returns the lines that lie within the bitmap).
TEST_F(GdiDibBits, LinesBeyondTheBitmapAreZeroAndNotCounted) {
    BITMAPINFO info = DibInfo(3, 4, 32);
    unsigned char bits[48];
    std::memset(bits, 0xCD, sizeof bits);
    ASSERT_EQ(GetDIBits(memory, bitmap, 0, 4, bits, &info, DIB_RGB_COLORS), 2);
    // Bottom-up: the lowest two rows of the DIB lie below the bitmap.
    for (int i = 0; i < 24; ++i) EXPECT_EQ(bits[i], 0) << i;
    EXPECT_EQ(bits[36 + 2], 255);  // the top line's red pixel, in the DIB's top row
}

TEST_F(GdiDibBits, RowsAreBottomUpForPositiveHeightTopDownForNegative) {
    BITMAPINFO info = DibInfo(3, 2, 32);
    unsigned char bits[24];
    ASSERT_EQ(GetDIBits(memory, bitmap, 0, 2, bits, &info, DIB_RGB_COLORS), 2);
    // First row in the buffer is the bottom line: (8, 16, 24) as B, G, R, 0.
    EXPECT_EQ(bits[0], 24);
    EXPECT_EQ(bits[1], 16);
    EXPECT_EQ(bits[2], 8);
    EXPECT_EQ(bits[3], 0);
    EXPECT_EQ(bits[12 + 2], 255);      // top line, red pixel
    EXPECT_EQ(bits[12 + 4 + 1], 255);  // green
    EXPECT_EQ(bits[12 + 8 + 0], 255);  // blue
    info.bmiHeader.biHeight = -2;
    ASSERT_EQ(GetDIBits(memory, bitmap, 0, 2, bits, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(bits[2], 255);
    EXPECT_EQ(bits[12 + 0], 24);
    // Scan lines from `start` (counted from the bottom) only.
    info.bmiHeader.biHeight = 2;
    std::memset(bits, 0xAB, sizeof bits);
    ASSERT_EQ(GetDIBits(memory, bitmap, 1, 5, bits, &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(bits[2], 255);  // the top line
    EXPECT_EQ(bits[12], 0xAB);
}

TEST_F(GdiDibBits, TwentyFourAndSixteenBitRowsArePaddedAndPacked) {
    BITMAPINFO info = DibInfo(3, 2, 24);
    unsigned char bits[24];
    std::memset(bits, 0xAB, sizeof bits);
    ASSERT_EQ(GetDIBits(memory, bitmap, 0, 2, bits, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(bits[0], 24);
    EXPECT_EQ(bits[2], 8);
    EXPECT_EQ(bits[9], 0);  // padding is zeroed
    EXPECT_EQ(bits[12 + 2], 255);
    EXPECT_EQ(bits[12 + 3 + 1], 255);
    // 16 bits: 5-5-5 little-endian words, rows padded to 4 bytes; the colour
    // table is left alone for BI_RGB.
    info.bmiHeader.biBitCount = 16;
    info.bmiColors[0].rgbRed = 77;
    std::memset(bits, 0xAB, sizeof bits);
    ASSERT_EQ(GetDIBits(memory, bitmap, 0, 2, bits, &info, DIB_RGB_COLORS), 2);
    const unsigned bottom = bits[0] | (bits[1] << 8);
    EXPECT_EQ(bottom, (1u << 10) | (2u << 5) | 3u);
    EXPECT_EQ(bits[6], 0);                                   // padding
    EXPECT_EQ(unsigned(bits[8] | (bits[9] << 8)), 0x7C00u);  // top row, red
    EXPECT_EQ(info.bmiColors[0].rgbRed, 77);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 16u);
}

// Channels of other widths widen as GDI widens them: the top bits repeat
// below (6 bits abcdef give abcdefab); wider than 8 bits keep their top 8.
TEST(BmpDecoder, BitFieldChannelsWidenByRepeatingTheirTopBits) {
    // A bare DIB: header, then the three masks, then one row of two pixels.
    auto dib = [](int bits, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                  const std::vector<std::uint32_t> &pixels) {
        std::vector<unsigned char> bytes(40 + 12 + 8, 0);
        auto put = [&bytes](std::size_t at, std::uint32_t value, int width) {
            for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
        };
        put(0, 40, 4);
        put(4, 2, 4);
        put(8, 1, 4);
        put(12, 1, 2);
        put(14, std::uint32_t(bits), 2);
        put(16, BI_BITFIELDS, 4);
        put(40, red, 4);
        put(44, green, 4);
        put(48, blue, 4);
        for (std::size_t i = 0; i < pixels.size(); ++i) put(52 + i * (bits / 8), pixels[i], bits / 8);
        return bytes;
    };
    std::string error;
    // 5-6-5: green 0b000011 (3) gives 0b00001100 (12); red 0b00011 gives 24.
    const std::vector<unsigned char> sixteen =
        dib(16, 0xF800, 0x07E0, 0x001F, {(3u << 11) | (3u << 5) | 31u, 0xFFFF});
    std::unique_ptr<sim::Surface> picture = sim::decodeBmp(sixteen.data(), sixteen.size(), error);
    ASSERT_NE(picture, nullptr) << error;
    EXPECT_EQ(picture->pixel(0, 0), sim::Surface::rgb(24, 12, 255));
    EXPECT_EQ(picture->pixel(1, 0), sim::Surface::rgb(255, 255, 255));
    // 10-10-10: the top 8 bits of each channel.
    const std::vector<unsigned char> wide =
        dib(32, 0x3FF00000, 0x000FFC00, 0x000003FF, {(0x3FFu << 20) | (0x201u << 10) | 0x003u, 0});
    picture = sim::decodeBmp(wide.data(), wide.size(), error);
    ASSERT_NE(picture, nullptr) << error;
    EXPECT_EQ(picture->pixel(0, 0), sim::Surface::rgb(255, 128, 0));
}

TEST(GdiBitmapResources, LoadBitmapDecodesSixteenBitAndTopDownImages) {
    // 16-bit 5-5-5, bottom-up: pixel (x, y) = (x, y, 31) in 5-bit units.
    static std::vector<unsigned char> sixteen =
        makeBmp(5, 4, 16, false, [](int x, int y) { return std::uint32_t((x << 10) | (y << 5) | 31); });
    // 24-bit top-down: pixel (x, y) = B x, G y, R 200.
    static std::vector<unsigned char> topDown =
        makeBmp(3, 2, 24, true, [](int x, int y) { return std::uint32_t(x | (y << 8) | (200 << 16)); });
    orbiter_module_resources[0] =
        MODULE_RESOURCE{OKUL_RT_BITMAP, 109, sixteen.data(), unsigned(sixteen.size())};
    orbiter_module_resources[1] =
        MODULE_RESOURCE{OKUL_RT_BITMAP, 110, topDown.data(), unsigned(topDown.size())};
    orbiter_module_resources[2] = MODULE_RESOURCE{OKUL_RT_BITMAP, 111, sixteen.data(), 60};  // truncated
    orbiter_module_resources[3] = MODULE_RESOURCE{0, 0, nullptr, 0};

    void *self = dlopen(nullptr, RTLD_NOW);
    ASSERT_NE(self, nullptr);
    auto instance = static_cast<HINSTANCE>(self);
    HBITMAP panel = LoadBitmapA(instance, MAKEINTRESOURCE(109));
    ASSERT_NE(panel, nullptr);
    BITMAP description{};
    GetObjectA(panel, sizeof description, &description);
    EXPECT_EQ(description.bmWidth, 5);
    EXPECT_EQ(description.bmHeight, 4);
    EXPECT_EQ(description.bmBitsPixel, 32);  // compatible with the display, as Windows makes it
    const std::unique_ptr<sim::Surface> copy = sim::bitmapPixels(panel);
    ASSERT_NE(copy, nullptr);
    const sim::Surface &pixels = *copy;
    EXPECT_EQ(pixels.pixel(0, 0), sim::Surface::rgb(0, 0, 255));  // top-left: row 0 from the top
    // 5 bits widen as GDI widens them: the top bits repeat below.
    EXPECT_EQ(sim::Surface::red(pixels.pixel(4, 3)), 33u);    // 00100 -> 00100001
    EXPECT_EQ(sim::Surface::green(pixels.pixel(4, 3)), 24u);  // 00011 -> 00011000 (not 25, the rounded share)
    EXPECT_EQ(sim::Surface::red(pixels.pixel(3, 0)), 24u);
    // Read back as 16 bits, the original 5-5-5 values return.
    HDC memory = CreateCompatibleDC(nullptr);
    BITMAPINFO info = DibInfo(5, 4, 16);
    std::vector<unsigned char> bits(12 * 4);
    ASSERT_EQ(GetDIBits(memory, panel, 0, 4, bits.data(), &info, DIB_RGB_COLORS), 4);
    EXPECT_TRUE(std::equal(bits.begin(), bits.end(), sixteen.begin() + 54));
    DeleteDC(memory);

    HBITMAP second = LoadBitmapA(instance, MAKEINTRESOURCE(110));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(sim::bitmapPixels(second)->pixel(2, 1), sim::Surface::rgb(200, 1, 2));
    EXPECT_EQ(sim::bitmapPixels(second)->bitsPerPixel(), 32);

    EXPECT_EQ(LoadBitmapA(instance, MAKEINTRESOURCE(111)), nullptr);  // malformed
    EXPECT_EQ(LoadBitmapA(instance, MAKEINTRESOURCE(112)), nullptr);  // missing
    EXPECT_EQ(LoadBitmapA(instance, "NAMED"), nullptr);
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCE(109)), nullptr);
    DeleteObject(panel);
    DeleteObject(second);
    dlclose(self);
}

TEST(GdiBitmapResources, DecoderRejectsMalformedInput) {
    std::string error;
    std::vector<unsigned char> image = makeBmp(4, 4, 32, false, [](int, int) { return 0u; });
    EXPECT_NE(sim::decodeBmp(image.data(), image.size(), error), nullptr);
    EXPECT_EQ(sim::decodeBmp(image.data(), image.size() - 1, error), nullptr);
    std::vector<unsigned char> huge = image;
    huge[18 + 3] = 0x7F;  // width 2^31 - ...
    EXPECT_EQ(sim::decodeBmp(huge.data(), huge.size(), error), nullptr);
    std::vector<unsigned char> compressed = image;
    compressed[30] = 1;  // BI_RLE8
    EXPECT_EQ(sim::decodeBmp(compressed.data(), compressed.size(), error), nullptr);
    EXPECT_FALSE(error.empty());
    // A bare DIB (resource-section layout, no file header) decodes too.
    EXPECT_NE(sim::decodeBmp(image.data() + 14, image.size() - 14, error), nullptr);
}

}  // namespace
