// Generates the console's panel backgrounds as 16-bit Windows bitmaps:
//   okul_panel_artwork <output folder> [--fonts <folder>] [--overlay]
// writes panel_main.bmp (resource 109) and panel_photo.bmp (resource 110);
// with --overlay also panel_main_areas.bmp and panel_photo_areas.bmp, the
// same pictures with every active area outlined.
#include <cstdio>
#include <cstring>
#include <string>

#include "BmpFile.h"
#include "PanelArt.h"

namespace {

const char *const kDefaultFonts = "/usr/share/fonts/truetype/liberation2";

bool Render(TextPainter &text, void (*draw)(ConsoleKit &), const PanelElement *areas, int count,
            const std::string &path, const std::string &overlayPath) {
    Canvas canvas(kPanelWidth, kPanelHeight);
    ConsoleKit kit(canvas, text);
    draw(kit);
    if (!WriteBmp16(canvas, path)) return false;
    if (overlayPath.empty()) return true;
    DrawAreaOverlay(canvas, text, areas, count);
    return WriteBmp16(canvas, overlayPath);
}

}  // namespace

int main(int argc, char **argv) {
    std::string output, fonts = kDefaultFonts;
    bool overlay = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--fonts") && i + 1 < argc)
            fonts = argv[++i];
        else if (!std::strcmp(argv[i], "--overlay"))
            overlay = true;
        else if (argv[i][0] != '-' && output.empty())
            output = argv[i];
        else {
            output.clear();
            break;
        }
    }
    if (output.empty()) {
        std::fprintf(stderr, "usage: %s <output folder> [--fonts <folder>] [--overlay]\n", argv[0]);
        return 2;
    }
    TextPainter text;
    if (!text.Open(fonts)) return 1;
    const std::string dir = output + "/";
    const bool ok = Render(text, DrawMainPanel, kMainPanelAreas, kMainPanelAreaCount, dir + "panel_main.bmp",
                           overlay ? dir + "panel_main_areas.bmp" : std::string()) &&
                    Render(text, DrawPhotoPanel, kPhotoPanelAreas, kPhotoPanelAreaCount,
                           dir + "panel_photo.bmp", overlay ? dir + "panel_photo_areas.bmp" : std::string());
    return ok ? 0 : 1;
}
