// The rules by which the Linux and Windows builds' script outputs are
// compared (tools/output_comparison).
#include <gtest/gtest.h>

#include <fstream>

#include "OutputComparison.h"
#include "PanelElements.h"
#include "TemporaryFolder.h"
#include "gdi/PngWriter.h"

using output_comparison::compareText;

namespace {

constexpr std::uint32_t kMainColour = sim::Surface::rgb(40, 60, 80);
constexpr std::uint32_t kPhotoColour = sim::Surface::rgb(80, 30, 20);

// A 24-bit bottom-up BMP file of the surface.
std::string bmpFile(const sim::Surface &picture) {
    const int stride = (picture.width() * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = std::uint32_t(stride) * picture.height();
    std::string bytes(54 + pixelBytes, '\0');
    auto put = [&bytes](std::size_t at, std::uint32_t value, int width) {
        for (int i = 0; i < width; ++i) bytes[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, 54 + pixelBytes, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, std::uint32_t(picture.width()), 4);
    put(22, std::uint32_t(picture.height()), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, pixelBytes, 4);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            put(54 + std::size_t(picture.height() - 1 - y) * stride + 3 * x, picture.pixel(x, y), 3);
    return bytes;
}

TEST(TextRule, WindowsMustWriteEveryLineFeedAsCrLf) {
    EXPECT_TRUE(compareText("a\nb\n", "a\r\nb\r\n", false).passed);
    EXPECT_TRUE(compareText("\n st, 1\n", "\r\n st, 1\r\n", false).passed);
    EXPECT_FALSE(compareText("a\nb\n", "a\nb\n", false).passed);  // line ends not as Windows writes them
    const output_comparison::Verdict digit = compareText("x\nT 1728029\n", "x\r\nT 1728028\r\n", false);
    EXPECT_FALSE(digit.passed);
    EXPECT_NE(digit.detail.find("line 2"), std::string::npos);
    EXPECT_FALSE(compareText("a\n", "a\r\nmore\r\n", false).passed);
}

TEST(TextRule, OnlyAPhotographLineOfThePrintedOutputMayDifferInBrightness) {
    const std::string fromLinux =
        "run\nPHOTO/photo0.bmp: 800 x 800, 32 bits, mean level 26.6, 0.575% brighter "
        "than mid-grey\nend\n";
    const std::string fromWindows =
        "run\r\nPHOTO/photo0.bmp: 800 x 800, 32 bits, mean level 26.1, 0.514% "
        "brighter than mid-grey\r\nend\r\n";
    EXPECT_TRUE(compareText(fromLinux, fromWindows, true).passed);
    EXPECT_FALSE(compareText(fromLinux, fromWindows, false).passed);  // a report file: byte for byte
    std::string otherSize = fromWindows;
    otherSize.replace(otherSize.find("800 x 800"), 9, "800 x 799");
    EXPECT_FALSE(compareText(fromLinux, otherSize, true).passed);
}

TEST(PhotographRule, ReceivedPixelsMustAgreeDropoutsMayNot) {
    sim::Surface picture(40, 30, sim::Surface::rgb(25, 25, 25));
    picture.fillRect(10, 10, 20, 20, sim::Surface::rgb(120, 120, 120));
    sim::Surface dropped = picture;
    dropped.fillRect(0, 0, 40, 1, 0);  // a run of dropouts: 40 of 1200 pixels
    const output_comparison::Verdict same =
        output_comparison::comparePhotograph(bmpFile(picture), bmpFile(dropped));
    EXPECT_TRUE(same.passed) << same.detail;
    EXPECT_NE(same.detail.find("3.333% (Windows)"), std::string::npos) << same.detail;

    dropped.fillRect(0, 1, 40, 2, 0);  // 80 pixels: more than 5 % apart
    EXPECT_FALSE(output_comparison::comparePhotograph(bmpFile(picture), bmpFile(dropped)).passed);

    sim::Surface changed = picture;
    changed.setPixel(15, 15, sim::Surface::rgb(121, 120, 120));  // received in both, but not the same
    EXPECT_FALSE(output_comparison::comparePhotograph(bmpFile(picture), bmpFile(changed)).passed);

    std::string header = bmpFile(picture);
    header[38] = 1;  // biXPelsPerMeter
    EXPECT_FALSE(output_comparison::comparePhotograph(bmpFile(picture), header).passed);
}

class PanelRule : public ::testing::Test {
protected:
    sim::Surface mainBackground{kPanelWidth, kPanelHeight, kMainColour};
    sim::Surface photoBackground{kPanelWidth, kPanelHeight, kPhotoColour};

    const output_comparison::AreaDifference *area(const output_comparison::PanelComparison &comparison,
                                                  const std::string &name) {
        for (const auto &entry : comparison.areas)
            if (entry.region == name) return &entry;
        return nullptr;
    }
};

TEST_F(PanelRule, EveryPixelOfTheMainPanelCountsAndIsReportedByArea) {
    sim::Surface shot = mainBackground;
    shot.fillRect(30, 400, 200, 420, sim::Surface::rgb(250, 250, 250));  // text on the terminal (area 51)
    output_comparison::PanelComparison same =
        output_comparison::comparePanelPicture(shot, shot, mainBackground, photoBackground);
    EXPECT_EQ(same.panel, 0);
    EXPECT_TRUE(same.verdict.passed) << same.verdict.detail;

    sim::Surface other = shot;
    other.setPixel(40, 405, sim::Surface::rgb(249, 250, 250));
    const output_comparison::PanelComparison text =
        output_comparison::comparePanelPicture(shot, other, mainBackground, photoBackground);
    EXPECT_FALSE(text.verdict.passed);
    const output_comparison::AreaDifference *terminal = area(text, "area 51");
    ASSERT_NE(terminal, nullptr);
    EXPECT_EQ(terminal->differing, 1);
    EXPECT_NE(text.verdict.detail.find("area 51"), std::string::npos) << text.verdict.detail;

    other = shot;
    other.setPixel(1151, 0, 0);  // the background
    const output_comparison::PanelComparison outside =
        output_comparison::comparePanelPicture(shot, other, mainBackground, photoBackground);
    EXPECT_FALSE(outside.verdict.passed);
    EXPECT_EQ(area(outside, "outside the areas")->differing, 1);
}

TEST_F(PanelRule, ThePhotoViewMayDifferByDropoutsOnly) {
    sim::Surface shot = photoBackground;
    shot.fillRect(32, 27, 831, 826, sim::Surface::rgb(60, 60, 60));  // the received photograph
    sim::Surface dropped = shot;
    dropped.fillRect(100, 27, 101, 826, 0);
    const output_comparison::PanelComparison photo =
        output_comparison::comparePanelPicture(shot, dropped, mainBackground, photoBackground);
    EXPECT_EQ(photo.panel, 2);
    EXPECT_TRUE(photo.verdict.passed) << photo.verdict.detail;
    EXPECT_EQ(area(photo, "area 3101")->dropouts, 799);

    dropped.setPixel(200, 200, sim::Surface::rgb(61, 60, 60));
    EXPECT_FALSE(output_comparison::comparePanelPicture(shot, dropped, mainBackground, photoBackground)
                     .verdict.passed);
    // Black in one picture outside the photo view is a fault, not a dropout.
    sim::Surface button = shot;
    button.setPixel(1000, 600, 0);  // area 3201
    EXPECT_FALSE(
        output_comparison::comparePanelPicture(shot, button, mainBackground, photoBackground).verdict.passed);
}

TEST(ScriptRule, FilesGoByKindAndMustExistOnBothSides) {
    testsupport::TemporaryFolder folder;
    for (const char *side : {"linux/work", "windows/work"}) folder.makeFolder(side);
    folder.writeFile("linux/result.txt", "passed\n");
    folder.writeFile("windows/result.txt", "passed\n");
    folder.writeFile("linux/printed.txt", "a\n");
    folder.writeFile("windows/printed.txt", "a\r\n");
    folder.writeFile("linux/work/only.log", "x\n");
    // Trajectory pictures of two painters are compared by size only.
    std::string error;
    ASSERT_TRUE(sim::writePng(sim::Surface(900, 900, 0x102030u), folder / "linux/work/plot.png", error));
    ASSERT_TRUE(sim::writePng(sim::Surface(900, 900, 0x203040u), folder / "windows/work/plot.png", error));
    const sim::Surface main(kPanelWidth, kPanelHeight, kMainColour),
        photo(kPanelWidth, kPanelHeight, kPhotoColour);
    output_comparison::ScriptComparison comparison =
        output_comparison::compareScriptOutputs("s", folder / "linux", folder / "windows", main, photo);
    ASSERT_EQ(comparison.files.size(), 4u);
    EXPECT_FALSE(comparison.passed());
    for (const auto &file : comparison.files)
        EXPECT_EQ(file.second.passed, file.first != "work/only.log")
            << file.first << ": " << file.second.detail;

    folder.writeFile("windows/work/only.log", "x\r\n");
    folder.writeFile("windows/result.txt", "failed\n");
    comparison =
        output_comparison::compareScriptOutputs("s", folder / "linux", folder / "windows", main, photo);
    EXPECT_FALSE(comparison.passed());
    EXPECT_EQ(comparison.files[0].first, "printed.txt");
    EXPECT_FALSE(comparison.files[1].second.passed);  // result.txt
}

}  // namespace
