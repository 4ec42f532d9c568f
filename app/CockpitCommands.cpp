#include "CockpitCommands.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "CockpitControls.h"
#include "ScriptCommands.h"
#include "cockpit/Cockpit.h"
#include "gdi/PngWriter.h"

namespace okulsim {

namespace {

// Frames an `input` or `cancel` waits for an input box to open.
constexpr int kInputWaitFrames = 10;

sim::Cockpit &cockpitOf(ScriptContext &c) { return c.simulation.cockpit(); }

// The text after the first `skip` words of the command, as written.
std::string textAfterWords(const std::string &rest, int skip) {
    std::size_t i = 0;
    for (int word = 0; word < skip; ++word) {
        while (i < rest.size() && std::isspace(static_cast<unsigned char>(rest[i]))) ++i;
        while (i < rest.size() && !std::isspace(static_cast<unsigned char>(rest[i]))) ++i;
    }
    while (i < rest.size() && std::isspace(static_cast<unsigned char>(rest[i]))) ++i;
    return rest.substr(i);
}

bool needArgs(const std::vector<std::string> &args, std::size_t low, std::size_t high, const char *usage,
              std::string &error) {
    if (args.size() >= low && args.size() <= high) return true;
    error = std::string("usage: ") + usage;
    return false;
}

// Presses at a panel pixel, runs `frames` frames with the button held and
// releases it (delivered with the next frame).
void pressFor(ScriptContext &c, int x, int y, long frames) {
    cockpitOf(c).pressMouse(x, y);
    for (long i = 0; i < frames && c.frame(); ++i) {
    }
    cockpitOf(c).releaseMouse();
}

// ---- commands -----------------------------------------------------------

bool cmdPanel(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    int id;
    if (!needArgs(args, 1, 1, "panel N", error) || !parseInt(args[0], id, error)) return false;
    return showPanel(cockpitOf(c), id, error);
}

bool cmdClick(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    if (!needArgs(args, 1, 3, "click AREA [MX MY]", error) || args.size() == 2) {
        error = "usage: click AREA [MX MY]";
        return false;
    }
    int offset[2];
    if (args.size() == 3 && (!parseInt(args[1], offset[0], error) || !parseInt(args[2], offset[1], error)))
        return false;
    int x, y;
    if (!areaPoint(cockpitOf(c), args[0], args.size() == 3 ? offset : nullptr, x, y, error)) return false;
    pressFor(c, x, y, 1);
    return true;
}

bool cmdClickAt(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    int x, y;
    if (!needArgs(args, 2, 2, "clickat X Y", error) || !parseInt(args[0], x, error) ||
        !parseInt(args[1], y, error) || !checkPanelPoint(cockpitOf(c), x, y, error))
        return false;
    pressFor(c, x, y, 1);
    return true;
}

bool cmdHold(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    int offset[2];
    long frames;
    if (!needArgs(args, 4, 4, "hold AREA MX MY FRAMES", error) || !parseInt(args[1], offset[0], error) ||
        !parseInt(args[2], offset[1], error) || !parseCount(args[3], frames, error))
        return false;
    int x, y;
    if (!areaPoint(cockpitOf(c), args[0], offset, x, y, error)) return false;
    pressFor(c, x, y, 1 + frames);
    return true;
}

bool cmdType(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    const std::string text = c.rest;
    if (!checkTypable(text, error)) return false;
    for (char ch : text) {
        const int code = characterKey(ch);
        cockpitOf(c).queueKey(code, true);
        cockpitOf(c).queueKey(code, false);
        if (!c.frame()) break;
    }
    return true;
}

bool cmdKey(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    std::vector<int> codes;
    if (!needArgs(args, 1, 1, "key NAME  (e.g. ENTER, NUMPAD5, F1, GRAVE, A, 7, CTRL+UP)", error) ||
        !parseKeyChord(args[0], codes, error))
        return false;
    for (int code : codes) cockpitOf(c).queueKey(code, true);
    for (auto it = codes.rbegin(); it != codes.rend(); ++it) cockpitOf(c).queueKey(*it, false);
    c.frame();
    return true;
}

bool cmdHoldKey(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    std::vector<int> codes;
    long frames;
    if (!needArgs(args, 2, 2, "holdkey NAME FRAMES", error) || !parseKeyChord(args[0], codes, error) ||
        !parseCount(args[1], frames, error))
        return false;
    for (int code : codes) cockpitOf(c).queueKey(code, true);
    for (long i = 0; i < frames && c.frame(); ++i) {
    }
    for (auto it = codes.rbegin(); it != codes.rend(); ++it) cockpitOf(c).queueKey(*it, false);
    return true;
}

// Waits up to kInputWaitFrames frames for an input box to open (a click
// opens one in the module's next step), then delivers the answer or the
// cancel with the next frame.
bool waitForInputBox(ScriptContext &c, const char *what, std::string &error) {
    sim::Cockpit &cockpit = cockpitOf(c);
    for (int i = 0; i < kInputWaitFrames && !cockpit.inputBoxOpen() && c.frame(); ++i) {
    }
    if (cockpit.inputBoxOpen()) return true;
    error = std::string("no input box opened for the ") + what + " within " +
            std::to_string(kInputWaitFrames) + " frames";
    return false;
}

bool cmdInput(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    if (!waitForInputBox(c, "answer", error) || !checkInputAnswer(cockpitOf(c), c.rest, error)) return false;
    cockpitOf(c).queueInputAnswer(c.rest);
    c.frame();
    return true;
}

bool cmdCancel(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    if (!needArgs(args, 0, 0, "cancel", error) || !waitForInputBox(c, "cancel", error)) return false;
    cockpitOf(c).queueInputCancel();
    c.frame();
    return true;
}

bool writePicture(ScriptContext &c, PictureKind kind, const std::string &file, std::string &error) {
    sim::Surface picture(0, 0);
    return takePicture(cockpitOf(c), kind, picture, error) && sim::writePng(picture, c.path(file), error);
}

bool cmdShot(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    return needArgs(args, 1, 1, "shot FILE.png", error) &&
           writePicture(c, PictureKind::Panel, args[0], error);
}

bool cmdView(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    return needArgs(args, 1, 1, "view FILE.png", error) && writePicture(c, PictureKind::View, args[0], error);
}

bool cmdWindow(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    return needArgs(args, 1, 1, "window FILE.png", error) &&
           writePicture(c, PictureKind::Window, args[0], error);
}

bool cmdText(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    AreaRef area;
    std::vector<std::string> lines;
    if (!needArgs(args, 1, 1, "text AREA", error) || !parseArea(cockpitOf(c), args[0], area, error) ||
        !areaLines(cockpitOf(c), area, lines, error))
        return false;
    for (const std::string &line : lines) c.out << line << "\n";
    return true;
}

bool cmdExpect(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    AreaRef area;
    std::vector<std::string> lines;
    if (args.size() < 2) {
        error = "usage: expect AREA TEXT";
        return false;
    }
    if (!parseArea(cockpitOf(c), args[0], area, error) || !areaLines(cockpitOf(c), area, lines, error))
        return false;
    const std::string wanted = textAfterWords(c.rest, 1);
    std::string shown;
    for (const std::string &line : lines) shown += (shown.empty() ? "" : "\n") + line;
    if (shown.find(wanted) != std::string::npos) return true;
    error = "area " + args[0] + " does not show \"" + wanted + "\"; it shows:";
    if (lines.empty()) error += " nothing";
    for (const std::string &line : lines) error += "\n    " + line;
    return false;
}

// expectline AREA N TEXT: line N (from 1, top down, as `text` lists them)
// is exactly TEXT.
bool cmdExpectLine(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    AreaRef area;
    std::vector<std::string> lines;
    int number = 0;
    if (args.size() < 2) {
        error = "usage: expectline AREA N TEXT";
        return false;
    }
    if (!parseArea(cockpitOf(c), args[0], area, error) || !parseInt(args[1], number, error) ||
        !areaLines(cockpitOf(c), area, lines, error))
        return false;
    if (number < 1) {
        error = "line numbers start at 1";
        return false;
    }
    const std::string wanted = textAfterWords(c.rest, 2);
    if (number <= static_cast<int>(lines.size()) && lines[number - 1] == wanted) return true;
    error = "line " + args[1] + " of area " + args[0] + " is not \"" + wanted + "\"; the area shows:";
    if (lines.empty()) error += " nothing";
    for (std::size_t i = 0; i < lines.size(); ++i)
        error += "\n  " + std::to_string(i + 1) +
                 (i + 1 == static_cast<std::size_t>(number) ? " > " : "   ") + lines[i];
    return false;
}

}  // namespace

void registerCockpitCommands() {
    registerCommand("panel", cmdPanel, "panel N  (show panel N of the focus vessel)");
    registerCommand("click", cmdClick,
                    "click AREA [MX MY]  (left click in an area, its centre by default; one frame)");
    registerCommand("clickat", cmdClickAt, "clickat X Y  (left click at a panel pixel; one frame)");
    registerCommand("hold", cmdHold,
                    "hold AREA MX MY FRAMES  (press, keep it held FRAMES more frames, release)");
    registerCommand("type", cmdType, "type TEXT  (one key press and release per character, one frame each)");
    registerCommand("key", cmdKey,
                    "key NAME  (press and release, one frame; e.g. ENTER, NUMPAD5, F1, CTRL+UP)");
    registerCommand("holdkey", cmdHoldKey, "holdkey NAME FRAMES  (key held for FRAMES frames)");
    registerCommand("input", cmdInput, "input TEXT  (answer the open input box)");
    registerCommand("cancel", cmdCancel, "cancel  (cancel the open input box)");
    registerCommand("shot", cmdShot, "shot FILE.png  (the current panel, 1152 x 864)");
    registerCommand("view", cmdView, "view FILE.png  (the outside view, 1280 x 960)");
    registerCommand("window", cmdWindow, "window FILE.png  (the render window: view and panel)");
    registerCommand("text", cmdText, "text AREA  (texts last drawn in an area, or MFD0..MFD2)");
    registerCommand("expect", cmdExpect, "expect AREA TEXT  (fail unless the area shows TEXT)");
    registerCommand("expectline", cmdExpectLine,
                    "expectline AREA N TEXT  (fail unless line N of the area, from 1 top down, is TEXT)");
}

}  // namespace okulsim
