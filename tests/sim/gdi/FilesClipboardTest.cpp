// Files under the working folder, memory blocks, the clipboard, injected
// keys and PNG output.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "FileContents.h"
#include "TemporaryFolder.h"
#include "WorkingFolderScope.h"
#include "gdi/Clipboard.h"
#include "gdi/PngWriter.h"
#include "gdi/Surface.h"
#include "gdi/SurfaceHandles.h"
#include "gdi/linux/WindowsPaths.h"

namespace fs = std::filesystem;

namespace {

class GdiFiles : public ::testing::Test {
protected:
    GdiFiles() { folder.makeFolder("PHOTO"); }
    static BOOL write(HANDLE file, const std::string &text) {
        DWORD written = 0;
        const BOOL ok = WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
        EXPECT_EQ(written, ok ? text.size() : written);
        return ok;
    }
    testsupport::TemporaryFolder folder;
    testsupport::WorkingFolderScope workingFolder{folder.path()};
};

TEST_F(GdiFiles, BackslashPathsResolveIntoFoldersOfTheWorkingFolder) {
    EXPECT_EQ(sim::hostPath("PHOTO\\photo3.bmp"), folder / "PHOTO/photo3.bmp");
    // Existing folders are found whatever the case, as on Windows.
    EXPECT_EQ(sim::hostPath("photo\\x.bmp"), folder / "PHOTO/x.bmp");
    EXPECT_EQ(sim::hostPath("/tmp\\a"), "/tmp/a");
    EXPECT_EQ(sim::hostPath(nullptr), "");

    HANDLE file = CreateFileA("PHOTO\\photo3.bmp", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(write(file, "BM0123456789"));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_EQ(testsupport::ReadFile(folder / "PHOTO/photo3.bmp"), "BM0123456789");

    // CREATE_ALWAYS truncates an existing file.
    file = CreateFileA("PHOTO\\photo3.bmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(write(file, "ab"));
    CloseHandle(file);
    EXPECT_EQ(testsupport::ReadFile(folder / "PHOTO/photo3.bmp"), "ab");
}

TEST_F(GdiFiles, FailuresAreReportedNotHidden) {
    // The folder is not created: the file cannot be made.
    EXPECT_EQ(CreateFileA("Q4K12techout\\prg78.out", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_FALSE(fs::exists(folder / "Q4K12techout"));
    EXPECT_EQ(CreateFileA("missing.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileA(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    // CREATE_NEW refuses an existing file.
    HANDLE file = CreateFileA("a.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_EQ(CreateFileA("a.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);
    // Writing needs write access and a live handle.
    file = CreateFileA("a.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 99;
    EXPECT_FALSE(WriteFile(file, "x", 1, &written, nullptr));
    EXPECT_EQ(written, 0u);
    CloseHandle(file);
    EXPECT_FALSE(WriteFile(INVALID_HANDLE_VALUE, "x", 1, &written, nullptr));
    EXPECT_FALSE(WriteFile(file, "x", 1, &written, nullptr));  // closed
}

TEST(GdiMemory, ZeroInitFlagsClearTheBlock) {
    auto *global = static_cast<unsigned char *>(GlobalAlloc(GPTR, 4 * 65536 + 40));
    ASSERT_NE(global, nullptr);
    bool zero = true;
    for (std::size_t i = 0; i < 4 * 65536 + 40; ++i) zero = zero && global[i] == 0;
    EXPECT_TRUE(zero);
    EXPECT_EQ(GlobalFree(global), nullptr);
    auto *local = static_cast<unsigned char *>(LocalAlloc(LMEM_ZEROINIT, 16));
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(local[15], 0);
    EXPECT_EQ(LocalFree(local), nullptr);
    void *empty = LocalAlloc(LMEM_FIXED, 0);
    EXPECT_NE(empty, nullptr);
    LocalFree(empty);
}

struct KeyLog {
    std::vector<std::pair<unsigned, unsigned>> events;
};

void logKey(unsigned char vk, unsigned int flags, void *context) {
    static_cast<KeyLog *>(context)->events.emplace_back(vk, flags);
}

TEST(GdiClipboard, HoldsOneBitmapHandedOutWhileOpen) {
    KeyLog log;
    sim::setKeyboardEventHandler(logKey, &log);
    keybd_event(VK_MENU, 0, 0, 0);
    keybd_event(VK_SNAPSHOT, 0, KEYEVENTF_KEYUP, 0);
    sim::setKeyboardEventHandler(nullptr, nullptr);
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);  // no handler: dropped
    ASSERT_EQ(log.events.size(), 2u);
    EXPECT_EQ(log.events[0], std::make_pair(unsigned(VK_MENU), 0u));
    EXPECT_EQ(log.events[1], std::make_pair(unsigned(VK_SNAPSHOT), unsigned(KEYEVENTF_KEYUP)));

    sim::Surface window(976, 832, sim::Surface::rgb(0, 0, 40));
    window.setPixel(176, 32, sim::Surface::rgb(1, 2, 3));
    sim::setClipboardBitmap(window);
    EXPECT_EQ(GetClipboardData(CF_BITMAP), nullptr);  // not open
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(1), nullptr);  // text: never
    HANDLE data = GetClipboardData(CF_BITMAP);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(GetClipboardData(CF_BITMAP), data);
    SURFHANDLE picture = oapiCreateSurface(static_cast<HBITMAP>(data), true);
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(sim::surfaceFromHandle(picture)->pixel(176, 32), sim::Surface::rgb(1, 2, 3));
    // The bitmap was released with the surface; the clipboard still holds
    // its picture and hands out a new bitmap.
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE again = GetClipboardData(CF_BITMAP);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(sim::bitmapPixels(static_cast<HBITMAP>(again))->width(), 976);
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardData(CF_BITMAP), nullptr);
    EXPECT_FALSE(sim::clipboardHasBitmap());
    CloseClipboard();
    EXPECT_FALSE(EmptyClipboard());
    oapiDestroySurface(picture);
}

TEST(GdiPng, WrittenFileReadsBackWithTheSamePixels) {
    sim::Surface image(7, 5, sim::Surface::rgb(10, 20, 30));
    image.setPixel(6, 4, sim::Surface::rgb(255, 128, 1));
    const testsupport::TemporaryFolder folder;
    const std::string path = folder / "picture.png";
    std::string error;
    ASSERT_TRUE(sim::writePng(image, path, error)) << error;

    png_image read;
    std::memset(&read, 0, sizeof read);
    read.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&read, path.c_str()));
    read.format = PNG_FORMAT_RGB;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(read));
    ASSERT_TRUE(png_image_finish_read(&read, nullptr, pixels.data(), 0, nullptr));
    EXPECT_EQ(read.width, 7u);
    EXPECT_EQ(read.height, 5u);
    EXPECT_EQ(pixels[0], 10);
    EXPECT_EQ(pixels[2], 30);
    const std::size_t last = (4 * 7 + 6) * 3;
    EXPECT_EQ(pixels[last], 255);
    EXPECT_EQ(pixels[last + 1], 128);
    EXPECT_EQ(pixels[last + 2], 1);

    EXPECT_FALSE(sim::writePng(image, "/nonexistent-folder/x.png", error));
    EXPECT_NE(error.find("nonexistent"), std::string::npos);
}

}  // namespace
