// Compares what every runner script showed and wrote on the Linux build and
// on the Windows build under Wine:
//   compare_outputs LINUX_OUTPUT WINDOWS_OUTPUT
// Both folders are made by tools/script_outputs.sh (one folder per script).
// Prints a verdict per file and the share of differing pixels per area of
// every panel picture; the exit code is 0 when every file passes its rule.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "OutputComparison.h"
#include "gdi/BmpDecoder.h"

namespace fs = std::filesystem;

namespace {

std::unique_ptr<sim::Surface> readBitmap(const char *path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    std::unique_ptr<sim::Surface> bitmap =
        sim::decodeBmp(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), error);
    if (!bitmap) std::fprintf(stderr, "compare_outputs: %s: %s\n", path, error.c_str());
    return bitmap;
}

std::set<std::string> scripts(const fs::path &folder) {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto &entry : fs::directory_iterator(folder, ignored))
        if (entry.is_directory()) names.insert(entry.path().filename().string());
    return names;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s LINUX_OUTPUT WINDOWS_OUTPUT\n", argv[0]);
        return 2;
    }
    const std::unique_ptr<sim::Surface> mainBackground = readBitmap(OKUL_PANEL_MAIN_BMP);
    const std::unique_ptr<sim::Surface> photoBackground = readBitmap(OKUL_PANEL_PHOTO_BMP);
    if (!mainBackground || !photoBackground) return 2;
    std::set<std::string> names = scripts(argv[1]);
    const std::set<std::string> windowsNames = scripts(argv[2]);
    names.insert(windowsNames.begin(), windowsNames.end());
    if (names.empty()) {
        std::fprintf(stderr, "compare_outputs: no script outputs in %s or %s\n", argv[1], argv[2]);
        return 2;
    }
    int failed = 0;
    for (const std::string &name : names) {
        const output_comparison::ScriptComparison comparison = output_comparison::compareScriptOutputs(
            name, (fs::path(argv[1]) / name).string(), (fs::path(argv[2]) / name).string(), *mainBackground,
            *photoBackground);
        const bool passed = comparison.passed() && !comparison.files.empty();
        failed += !passed;
        std::printf("%s: %s\n", name.c_str(), passed ? "same" : "DIFFERENT");
        for (const auto &file : comparison.files)
            std::printf("  %s %s: %s\n", file.second.passed ? "ok  " : "FAIL", file.first.c_str(),
                        file.second.detail.c_str());
    }
    std::printf("%zu scripts compared, %d with differences\n", names.size(), failed);
    return failed == 0 ? 0 : 1;
}
