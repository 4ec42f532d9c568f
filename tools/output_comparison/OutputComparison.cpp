#include "OutputComparison.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>

#include "PanelElements.h"
#include "PngFile.h"
#include "gdi/BmpDecoder.h"

namespace output_comparison {

namespace fs = std::filesystem;

namespace {

std::string percent(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f%%", 100.0 * share);
    return text;
}

std::string readFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// "\n" as "\r\n".
std::string windowsLineEnds(const std::string &text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}

std::vector<std::string> splitLines(const std::string &text, const std::string &end) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(end, start)) != std::string::npos; start = at + end.size())
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

// The runner's line about a photograph (expectbmp): everything up to the
// brightness figures in group 1.
const std::regex kPhotographLine(
    R"((\S+\.bmp: \d+ x \d+, \d+ bits), mean level [0-9.]+, [0-9.]+% brighter than mid-grey)");

bool isBlack(std::uint32_t pixel) { return (pixel & 0x00FFFFFFu) == 0; }

struct Region {
    std::string name;
    RECT rect;
    bool photoView;
};

bool inside(const RECT &rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// The areas of a panel in registration order, then the MFD screens (main
// panel only).
std::vector<Region> panelRegions(int panel) {
    std::vector<Region> regions;
    const PanelElement *areas = panel == 0 ? kMainPanelAreas : kPhotoPanelAreas;
    const int count = panel == 0 ? kMainPanelAreaCount : kPhotoPanelAreaCount;
    for (int i = 0; i < count; ++i)
        regions.push_back(
            Region{"area " + std::to_string(areas[i].id), areas[i].rect, areas[i].drawing == kDrawPhotoView});
    if (panel == 0)
        for (int mfd = 0; mfd < 3; ++mfd)
            regions.push_back(
                Region{"MFD " + std::to_string(mfd) + " screen", kMainPanelMfds[mfd].pos, false});
    return regions;
}

// The share of the pixels outside a panel's regions that show its background.
double backgroundMatch(const sim::Surface &picture, const sim::Surface &background, int panel) {
    if (background.width() != picture.width() || background.height() != picture.height()) return 0.0;
    const std::vector<Region> regions = panelRegions(panel);
    long outside = 0, matching = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            bool inArea = false;
            for (const Region &region : regions) inArea = inArea || inside(region.rect, x, y);
            if (inArea) continue;
            ++outside;
            matching += picture.pixel(x, y) == background.pixel(x, y);
        }
    return outside > 0 ? double(matching) / outside : 0.0;
}

}  // namespace

// Text. Windows stores the line ends of text written through a text-mode
// stream as CR LF: the runner's standard output, the modules' reports (the
// programs open them "as text"), the hosts' logs, saved scenarios. So the
// Windows file must be the Linux file with CR LF for LF, and otherwise the
// same bytes.
//
// The one exception: the runner's line about a photograph (expectbmp) gives
// its mean level and its share of bright pixels, which the random dropouts
// of the downlink move (the noise is seeded from the clock); those two
// figures may differ, the file name, size and depth may not. The
// photograph itself is compared by comparePhotograph.
Verdict compareText(const std::string &fromLinux, const std::string &fromWindows, bool printedOutput) {
    if (fromWindows == windowsLineEnds(fromLinux))
        return Verdict{true, "identical (CR LF line ends on Windows)"};
    const std::vector<std::string> linuxLines = splitLines(fromLinux, "\n");
    const std::vector<std::string> windowsLines = splitLines(fromWindows, "\r\n");
    const std::size_t lines = std::max(linuxLines.size(), windowsLines.size());
    int noisy = 0;
    for (std::size_t i = 0; i < lines; ++i) {
        const std::string a = i < linuxLines.size() ? linuxLines[i] : std::string("(none)");
        const std::string b = i < windowsLines.size() ? windowsLines[i] : std::string("(none)");
        if (a == b) continue;
        std::smatch matchA, matchB;
        if (printedOutput && std::regex_match(a, matchA, kPhotographLine) &&
            std::regex_match(b, matchB, kPhotographLine) && matchA[1] == matchB[1]) {
            ++noisy;
            continue;
        }
        return Verdict{false, "line " + std::to_string(i + 1) + " differs: \"" + a + "\" (Linux), \"" + b +
                                  "\" (Windows)"};
    }
    return Verdict{true, "identical but for the brightness of " + std::to_string(noisy) +
                             " photograph line(s), which the dropouts move (CR LF line ends on Windows)"};
}

// Photographs. The module writes them with CreateFileA and WriteFile, so
// the file header and the information header (everything before the pixel
// data) must be the same bytes. The pixels carry the downlink's noise:
// dropout runs of level 0 drawn from a generator seeded with the clock's
// second, so two runs differ there even on one platform. Every pixel that
// both pictures received (neither black) must be the same; the pixels black
// in one picture only are that picture's dropouts, and the two pictures'
// dropout shares must agree within kDropoutShareTolerance.
Verdict comparePhotograph(const std::string &fromLinux, const std::string &fromWindows) {
    if (fromLinux.size() < 14 || fromWindows.size() < 14) return Verdict{false, "not a BMP file"};
    auto offset = [](const std::string &bytes) {
        return std::size_t(static_cast<unsigned char>(bytes[10])) |
               std::size_t(static_cast<unsigned char>(bytes[11])) << 8 |
               std::size_t(static_cast<unsigned char>(bytes[12])) << 16 |
               std::size_t(static_cast<unsigned char>(bytes[13])) << 24;
    };
    const std::size_t header = offset(fromLinux);
    if (header > fromLinux.size() || offset(fromWindows) != header ||
        fromLinux.compare(0, header, fromWindows, 0, header) != 0)
        return Verdict{false, "the headers differ"};
    std::string error;
    const std::unique_ptr<sim::Surface> a =
        sim::decodeBmp(reinterpret_cast<const unsigned char *>(fromLinux.data()), fromLinux.size(), error);
    const std::unique_ptr<sim::Surface> b = sim::decodeBmp(
        reinterpret_cast<const unsigned char *>(fromWindows.data()), fromWindows.size(), error);
    if (!a || !b) return Verdict{false, "cannot decode: " + error};
    const long total = long(a->width()) * a->height();
    long received = 0, mismatched = 0, dropoutsLinux = 0, dropoutsWindows = 0;
    for (int y = 0; y < a->height(); ++y)
        for (int x = 0; x < a->width(); ++x) {
            const std::uint32_t p = a->pixel(x, y), q = b->pixel(x, y);
            if (isBlack(p) != isBlack(q)) {
                ++(isBlack(p) ? dropoutsLinux : dropoutsWindows);
            } else if (!isBlack(p)) {
                ++received;
                mismatched += p != q;
            }
        }
    const double shareLinux = double(dropoutsLinux) / total, shareWindows = double(dropoutsWindows) / total;
    std::string detail = "header identical; " + std::to_string(received) + " pixels received in both, " +
                         std::to_string(mismatched) + " of them differing; dropouts of one picture only " +
                         percent(shareLinux) + " (Linux), " + percent(shareWindows) + " (Windows)";
    const bool passed = mismatched == 0 && std::abs(shareLinux - shareWindows) <= kDropoutShareTolerance;
    return Verdict{passed, detail};
}

// Panel pictures. The panel's own pixels (its background, every area's
// drawing, the MFD screens) must be the same to the pixel: since our GDI
// draws text as Windows does without font smoothing (hinted for monochrome
// output, not anti-aliased; see gdi/linux/FontEngine.cpp) there is no
// anti-aliasing left to differ. The exception is the photo view of the
// photo panel, which shows a received photograph: there a pixel may be
// black in one picture only (a dropout; see comparePhotograph).
PanelComparison comparePanelPicture(const sim::Surface &fromLinux, const sim::Surface &fromWindows,
                                    const sim::Surface &mainBackground, const sim::Surface &photoBackground) {
    PanelComparison result;
    if (fromLinux.width() != fromWindows.width() || fromLinux.height() != fromWindows.height()) {
        result.verdict = Verdict{false, "the sizes differ"};
        return result;
    }
    const double mainMatch = backgroundMatch(fromLinux, mainBackground, 0);
    const double photoMatch = backgroundMatch(fromLinux, photoBackground, 2);
    if (std::max(mainMatch, photoMatch) < 0.99) {
        result.verdict = Verdict{false, "shows neither panel's background"};
        return result;
    }
    result.panel = mainMatch >= photoMatch ? 0 : 2;
    const std::vector<Region> regions = panelRegions(result.panel);
    for (const Region &region : regions) result.areas.push_back(AreaDifference{region.name, 0, 0, 0});
    result.areas.push_back(AreaDifference{"outside the areas", 0, 0, 0});
    long differing = 0, forbidden = 0;
    for (int y = 0; y < fromLinux.height(); ++y)
        for (int x = 0; x < fromLinux.width(); ++x) {
            std::size_t index = regions.size();
            for (std::size_t i = 0; i < regions.size(); ++i)
                if (inside(regions[i].rect, x, y)) {
                    index = i;
                    break;
                }
            AreaDifference &area = result.areas[index];
            ++area.pixels;
            const std::uint32_t p = fromLinux.pixel(x, y), q = fromWindows.pixel(x, y);
            if (p == q) continue;
            ++area.differing;
            ++differing;
            const bool dropout = isBlack(p) != isBlack(q);
            if (dropout) ++area.dropouts;
            const bool photoView = index < regions.size() && regions[index].photoView;
            if (!(photoView && dropout)) ++forbidden;
        }
    std::string detail = std::string(result.panel == 0 ? "main panel" : "photo panel") + ": ";
    if (differing == 0) {
        detail += "identical in all " + std::to_string(regions.size()) + " areas and outside them";
    } else {
        std::string listed;
        int identical = 0;
        for (const AreaDifference &area : result.areas) {
            if (area.differing == 0) {
                ++identical;
                continue;
            }
            listed += "; " + area.region + " " + percent(double(area.differing) / area.pixels) +
                      " of its pixels differ";
            if (area.dropouts == area.differing) listed += " (all dropouts)";
        }
        detail += std::to_string(differing) + " differing pixels" + listed + "; " +
                  std::to_string(identical) + " regions identical";
    }
    result.verdict = Verdict{forbidden == 0, detail};
    return result;
}

// Views and windows are drawn by the simulator itself (the same code on
// both platforms), the HUD line by GDI: the same pixels.
Verdict comparePixels(const sim::Surface &fromLinux, const sim::Surface &fromWindows) {
    if (fromLinux.width() != fromWindows.width() || fromLinux.height() != fromWindows.height())
        return Verdict{false, "the sizes differ"};
    long differing = 0;
    for (int y = 0; y < fromLinux.height(); ++y)
        for (int x = 0; x < fromLinux.width(); ++x)
            differing += fromLinux.pixel(x, y) != fromWindows.pixel(x, y);
    if (differing == 0) return Verdict{true, "identical"};
    return Verdict{false, std::to_string(differing) + " pixels differ (" +
                              percent(double(differing) / (double(fromLinux.width()) * fromLinux.height())) +
                              ")"};
}

bool ScriptComparison::passed() const {
    return std::all_of(files.begin(), files.end(), [](const auto &file) { return file.second.passed; });
}

namespace {

std::set<std::string> filesBelow(const fs::path &folder) {
    std::set<std::string> names;
    std::error_code ignored;
    if (!fs::is_directory(folder, ignored)) return names;
    for (const auto &entry : fs::recursive_directory_iterator(folder, ignored))
        if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), folder).generic_string());
    return names;
}

bool endsWith(const std::string &name, const std::string &suffix) {
    return name.size() >= suffix.size() &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

ScriptComparison compareScriptOutputs(const std::string &script, const std::string &linuxFolder,
                                      const std::string &windowsFolder, const sim::Surface &mainBackground,
                                      const sim::Surface &photoBackground) {
    ScriptComparison result;
    result.script = script;
    const std::set<std::string> linuxFiles = filesBelow(linuxFolder),
                                windowsFiles = filesBelow(windowsFolder);
    std::set<std::string> all = linuxFiles;
    all.insert(windowsFiles.begin(), windowsFiles.end());
    for (const std::string &name : all) {
        if (!linuxFiles.count(name) || !windowsFiles.count(name)) {
            result.files.emplace_back(
                name, Verdict{false, std::string("only in the ") +
                                         (linuxFiles.count(name) ? "Linux" : "Windows") + " output"});
            continue;
        }
        const fs::path a = fs::path(linuxFolder) / name, b = fs::path(windowsFolder) / name;
        if (name == "result.txt") {
            // What the runner reported: both passed, or both failed alike.
            const std::string ra = readFile(a), rb = readFile(b);
            result.files.emplace_back(name, Verdict{ra == rb, ra == rb ? "the same" : "differs"});
        } else if (endsWith(name, ".bmp")) {
            result.files.emplace_back(name, comparePhotograph(readFile(a), readFile(b)));
        } else if (endsWith(name, ".png")) {
            std::string error;
            const std::unique_ptr<sim::Surface> pa = readPng(a.string(), error),
                                                pb = readPng(b.string(), error);
            if (!pa || !pb) {
                result.files.emplace_back(name, Verdict{false, "cannot read: " + error});
            } else if (pa->width() == kPanelWidth && pa->height() == kPanelHeight) {
                PanelComparison panel = comparePanelPicture(*pa, *pb, mainBackground, photoBackground);
                result.files.emplace_back(name, panel.verdict);
                result.panels.push_back(std::move(panel));
            } else if (pa->width() == 900 && pa->height() == 900) {
                // The trajectory pictures of `plot`: Cairo draws them on Linux
                // and GDI on Windows (the Windows build has no Cairo), with
                // different anti-aliasing and fonts. They are pictures for
                // people; the figures they show are checked in the printed
                // output.
                const bool sameSize = pb->width() == pa->width() && pb->height() == pa->height();
                result.files.emplace_back(
                    name,
                    Verdict{sameSize, sameSize ? "trajectory picture, 900 x 900: drawn by Cairo on Linux "
                                                 "and GDI on Windows, not compared by pixel"
                                               : "the sizes differ"});
            } else {
                result.files.emplace_back(name, comparePixels(*pa, *pb));
            }
        } else {
            result.files.emplace_back(name, compareText(readFile(a), readFile(b), name == "printed.txt"));
        }
    }
    return result;
}

}  // namespace output_comparison
