// The comparison of what the runner's scripts show and write on two builds:
// the Linux build with our own Win32, and the Windows build run under Wine
// against the real GDI (tools/wine_comparison.sh collects both with
// tools/script_outputs.sh). Each file is held to the rule of its kind:
//
//   texts (printed output, logs, reports)   byte for byte, Windows line ends
//   photographs (PHOTO/*.bmp)               header exactly, pixels statistically
//   panel pictures (1152 x 864 PNG)          pixel-wise, reported per area
//   views and windows (1280 x 960 PNG)       pixel-wise
//   trajectory pictures (900 x 900 PNG)      size only
//
// The reasons for each rule stand beside its code in OutputComparison.cpp.
#pragma once

#include <string>
#include <vector>

#include "gdi/Surface.h"

namespace output_comparison {

struct Verdict {
    bool passed = false;
    std::string detail;  // one line: what was found
};

// Text: the Windows file must be the Linux file with every line feed
// written as CR LF. In the printed output, a line reporting a photograph
// (expectbmp) may differ in its brightness figures, which its dropouts move.
Verdict compareText(const std::string &fromLinux, const std::string &fromWindows, bool printedOutput);

// Photographs: BMP files of the same header; every pixel both received
// (neither a dropout, level 0) is the same, and the dropout shares differ by
// no more than kDropoutShareTolerance.
constexpr double kDropoutShareTolerance = 0.05;
Verdict comparePhotograph(const std::string &fromLinux, const std::string &fromWindows);

// The differing pixels of a panel picture in one area.
struct AreaDifference {
    std::string region;  // "area 51", "MFD 0 screen" or "outside the areas"
    long pixels = 0;
    long differing = 0;
    long dropouts = 0;  // of those, pixels black in one picture only (the photo view)
};

struct PanelComparison {
    int panel = -1;  // 0 main, 2 photo panel; -1 when neither matches
    std::vector<AreaDifference> areas;
    Verdict verdict;
};

// Panel pictures: `backgrounds` are the two panel bitmaps (main, photo),
// by which the panel a picture shows is recognised.
PanelComparison comparePanelPicture(const sim::Surface &fromLinux, const sim::Surface &fromWindows,
                                    const sim::Surface &mainBackground, const sim::Surface &photoBackground);

// Any other picture: the same size and the same pixels.
Verdict comparePixels(const sim::Surface &fromLinux, const sim::Surface &fromWindows);

// The runner's output folders of one script (printed.txt, result.txt and
// work/), file by file; each finding a line "file: verdict".
struct ScriptComparison {
    std::string script;
    std::vector<std::pair<std::string, Verdict>> files;
    std::vector<PanelComparison> panels;  // of the panel pictures among them, in file order
    bool passed() const;
};

ScriptComparison compareScriptOutputs(const std::string &script, const std::string &linuxFolder,
                                      const std::string &windowsFolder, const sim::Surface &mainBackground,
                                      const sim::Surface &photoBackground);

}  // namespace output_comparison
