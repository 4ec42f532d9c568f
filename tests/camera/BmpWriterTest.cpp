// Saving surfaces as BMP files: the headers and colour tables by depth, the
// failure bits, and the file read back by an independent reader.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "BmpWriter.h"
#include "FileContents.h"
#include "TemporaryFolder.h"
#include "gdi/SurfaceHandles.h"

namespace {

using testsupport::Le16;
using testsupport::Le32;
using testsupport::ReadBytes;

class BmpWriterTest : public ::testing::Test {
protected:
    // A surface of the given depth with a known pattern: red grows along x,
    // green along y, blue 200.
    SURFHANDLE PatternSurface(int width, int height, int bits) {
        sim::Surface pixels(width, height);
        pixels.setBitsPerPixel(bits);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) pixels.setPixel(x, y, sim::Surface::rgb(x * 8, y * 8, 200));
        return sim::createSurface(pixels);
    }
    testsupport::TemporaryFolder folder;
};

}  // namespace

TEST_F(BmpWriterTest, ThirtyTwoBitSurfaceHasNoColourTable) {
    SURFHANDLE surface = PatternSurface(30, 20, 32);
    const std::string path = folder / "frame.bmp";
    EXPECT_EQ(SaveSurfaceBmp(surface, 0, 0, 30, 20, path.c_str()), 1);
    const std::vector<unsigned char> file = ReadBytes(path);
    ASSERT_EQ(file.size(), 54u + 30 * 20 * 4);
    EXPECT_EQ(Le16(file, 0), 0x4D42);
    EXPECT_EQ(Le32(file, 2), file.size());
    EXPECT_EQ(Le32(file, 6), 0u);      // the reserved words
    EXPECT_EQ(Le32(file, 10), 54u);    // pixels right after the headers
    EXPECT_EQ(Le32(file, 14), 40u);    // information header size
    EXPECT_EQ(Le32(file, 18), 30u);    // width
    EXPECT_EQ(Le32(file, 22), 20u);    // height, positive: bottom-up
    EXPECT_EQ(Le16(file, 28), 32);     // bits per pixel
    EXPECT_EQ(Le32(file, 30), 0u);     // uncompressed
    EXPECT_EQ(Le32(file, 34), 2400u);  // image size
    EXPECT_EQ(Le32(file, 46), 0u);     // colours used
    // The first pixel in the file is the bottom-left one: blue, green, red.
    EXPECT_EQ(file[54], 200);
    EXPECT_EQ(file[55], 19 * 8);
    EXPECT_EQ(file[56], 0);
    sim::destroySurface(surface);
}

TEST_F(BmpWriterTest, SixteenBitSurfaceGetsTheFullColourTable) {
    SURFHANDLE surface = PatternSurface(8, 4, 16);
    const std::string path = folder / "frame16.bmp";
    SaveSurfaceBmp(surface, 0, 0, 8, 4, path.c_str());
    const std::vector<unsigned char> file = ReadBytes(path);
    const std::uint32_t imageSize = 8 * 16 / 8 * 4;
    ASSERT_EQ(file.size(), 262198u + imageSize);
    EXPECT_EQ(Le32(file, 10), 262198u);  // 14 + 40 + 65,536 x 4
    EXPECT_EQ(Le16(file, 28), 16);
    EXPECT_EQ(Le32(file, 34), imageSize);
    EXPECT_EQ(Le32(file, 46), 65536u);
    EXPECT_EQ(Le32(file, 54), 0u);  // the table stays zero
    EXPECT_EQ(Le32(file, 262194), 0u);
    sim::destroySurface(surface);
}

TEST_F(BmpWriterTest, DepthClassesSizeTheColourTable) {
    for (int bits : {16, 24, 32}) {
        sim::Surface pixels(10, 3);
        pixels.setBitsPerPixel(bits);
        HBITMAP bitmap = sim::createBitmap(pixels);
        BITMAPINFO *info = BuildBitmapHeader(bitmap);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->bmiHeader.biClrUsed, bits < 24 ? 65536u : 0u) << bits;
        // Rows padded to 32 bits: 10 x 24 bits is 30 bytes, stored in 32.
        EXPECT_EQ(info->bmiHeader.biSizeImage, (bits == 24 ? 32u : 10u * bits / 8) * 3) << bits;
        LocalFree(info);
        DeleteObject(bitmap);
    }
}

TEST_F(BmpWriterTest, MissingFolderGivesEveryFileFailureBit) {
    sim::Surface pixels(4, 4);
    HBITMAP bitmap = sim::createBitmap(pixels);
    HDC context = CreateCompatibleDC(nullptr);
    BITMAPINFO *info = BuildBitmapHeader(bitmap);
    const std::string path = folder / "no such folder/photo0.bmp";
    EXPECT_EQ(WriteBmpFile(path.c_str(), info, bitmap, context),
              kBmpFileNotCreated + kBmpFileHeaderNotWritten + kBmpInfoNotWritten + kBmpPixelsNotWritten +
                  kBmpFileNotClosed);
    EXPECT_EQ(WriteBmpFile(path.c_str(), info, bitmap, context), 62);
    EXPECT_EQ(WriteBmpFile((folder / "there.bmp").c_str(), info, bitmap, context), 0);
    LocalFree(info);
    DeleteDC(context);
    DeleteObject(bitmap);

    SURFHANDLE surface = sim::createSurface(pixels);
    EXPECT_EQ(SaveSurfaceBmp(surface, 0, 0, 4, 4, path.c_str()), 0);
    EXPECT_EQ(SaveSurfaceBmp(surface, 0, 0, 4, 4, (folder / "saved.bmp").c_str()), 1);
    oapiDestroySurface(surface);
}

TEST_F(BmpWriterTest, IndependentReaderSeesThePixels) {
    if (std::system("/usr/bin/python3 -c 'import PIL' 2>/dev/null") != 0)
        GTEST_SKIP() << "python3-pil missing";
    SURFHANDLE surface = PatternSurface(24, 16, 32);
    const std::string path = folder / "read.bmp";
    SaveSurfaceBmp(surface, 4, 2, 20, 12, path.c_str());  // a part of the surface
    const std::string command = "/usr/bin/python3 -c \"from PIL import Image; im = Image.open('" + path +
                                "').convert('RGB'); print(im.size[0], im.size[1], *im.getpixel((0, 0)), "
                                "*im.getpixel((19, 11)))\" > " +
                                folder / "read.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(folder / "read.txt");
    int width = 0, height = 0, r0 = 0, g0 = 0, b0 = 0, r1 = 0, g1 = 0, b1 = 0;
    in >> width >> height >> r0 >> g0 >> b0 >> r1 >> g1 >> b1;
    EXPECT_EQ(width, 20);
    EXPECT_EQ(height, 12);
    // Top-left of the copy is surface pixel (4, 2); bottom-right (23, 13).
    EXPECT_EQ(r0, 32);
    EXPECT_EQ(g0, 16);
    EXPECT_EQ(b0, 200);
    EXPECT_EQ(r1, 184);
    EXPECT_EQ(g1, 104);
    EXPECT_EQ(b1, 200);
    sim::destroySurface(surface);
}
