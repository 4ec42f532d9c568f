#include "CockpitCommands.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "ScriptCommands.h"
#include "cockpit/Cockpit.h"
#include "gdi/PngWriter.h"

namespace okulsim {

namespace {

// Frames an `input` or `cancel` waits for a box to take the answer.
constexpr int kInputWaitFrames = 10;

struct KeyName {
    const char *name;
    int code;
};

const KeyName kKeyNames[] = {
    {"ENTER", OAPI_KEY_RETURN},        {"RETURN", OAPI_KEY_RETURN},   {"BACK", OAPI_KEY_BACK},
    {"MINUS", OAPI_KEY_MINUS},         {"SPACE", OAPI_KEY_SPACE},     {"PERIOD", OAPI_KEY_PERIOD},
    {"SEMICOLON", OAPI_KEY_SEMICOLON}, {"F1", OAPI_KEY_F1},           {"GRAVE", OAPI_KEY_GRAVE},
    {"ESCAPE", OAPI_KEY_ESCAPE},       {"TAB", OAPI_KEY_TAB},         {"COMMA", OAPI_KEY_COMMA},
    {"NUMPAD0", OAPI_KEY_NUMPAD0},     {"NUMPAD1", OAPI_KEY_NUMPAD1}, {"NUMPAD2", OAPI_KEY_NUMPAD2},
    {"NUMPAD3", OAPI_KEY_NUMPAD3},     {"NUMPAD4", OAPI_KEY_NUMPAD4}, {"NUMPAD5", OAPI_KEY_NUMPAD5},
    {"NUMPAD6", OAPI_KEY_NUMPAD6},     {"NUMPAD7", OAPI_KEY_NUMPAD7}, {"NUMPAD8", OAPI_KEY_NUMPAD8},
    {"NUMPAD9", OAPI_KEY_NUMPAD9},     {"UP", OAPI_KEY_UP},           {"DOWN", OAPI_KEY_DOWN},
    {"LEFT", OAPI_KEY_LEFT},           {"RIGHT", OAPI_KEY_RIGHT},     {"CTRL", OAPI_KEY_LCONTROL},
    {"SHIFT", OAPI_KEY_LSHIFT},        {"ALT", OAPI_KEY_LALT},
};

// US keyboard rows for letters and digits.
const char kLetterRows[] = "QWERTYUIOPASDFGHJKLZXCVBNM";
const int kLetterCodes[] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1E, 0x1F, 0x20,
                            0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32};

std::string upper(std::string text) {
    for (char &c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The scan code of a character that `type` may send, or 0.
int characterKey(char c) {
    const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (const char *at = u != '\0' ? std::strchr(kLetterRows, u) : nullptr)
        return kLetterCodes[at - kLetterRows];
    if (c >= '1' && c <= '9') return OAPI_KEY_1 + (c - '1');
    switch (c) {
        case '0':
            return OAPI_KEY_0;
        case ' ':
            return OAPI_KEY_SPACE;
        case '.':
            return OAPI_KEY_PERIOD;
        case ';':
            return OAPI_KEY_SEMICOLON;
        case '-':
            return OAPI_KEY_MINUS;
        default:
            return 0;
    }
}

// A key by name: a table name, a letter or a digit.
int keyCode(const std::string &name) {
    const std::string key = upper(name);
    for (const KeyName &entry : kKeyNames)
        if (key == entry.name) return entry.code;
    if (key.size() == 1) return characterKey(key[0]);
    return 0;
}

// A key name with modifiers: "CTRL+UP" is Ctrl held around Up.
bool parseKeyChord(const std::string &text, std::vector<int> &codes, std::string &error) {
    codes.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t plus = text.find('+', start);
        const std::string part =
            text.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        const int code = keyCode(part);
        if (code == 0) {
            error = "unknown key \"" + part + "\"";
            return false;
        }
        codes.push_back(code);
        if (plus == std::string::npos) return true;
        start = plus + 1;
    }
}

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

bool parseInt(const std::string &text, int &value, std::string &error) {
    double number;
    if (!parseNumber(text, number, error)) return false;
    if (number != static_cast<int>(number)) {
        error = "\"" + text + "\" is not a whole number";
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

// An area of the current panel: its id, or MFD0..MFD2 for an MFD screen.
struct AreaRef {
    bool mfd = false;
    int id = 0;
};

bool parseArea(ScriptContext &c, const std::string &text, AreaRef &area, std::string &error) {
    const std::string name = upper(text);
    if (name.size() == 4 && name.compare(0, 3, "MFD") == 0 && name[3] >= '0' && name[3] <= '2') {
        area.mfd = true;
        area.id = name[3] - '0';
        return true;
    }
    area.mfd = false;
    if (!parseInt(text, area.id, error)) {
        error = "\"" + text + "\" is neither an area id nor MFD0..MFD2";
        return false;
    }
    RECT rect;
    if (!cockpitOf(c).areaRectangle(area.id, rect)) {
        error = "panel " + std::to_string(cockpitOf(c).currentPanel()) + " has no area " + text;
        return false;
    }
    return true;
}

bool areaLines(ScriptContext &c, const AreaRef &area, std::vector<std::string> &lines, std::string &error) {
    const bool found =
        area.mfd ? cockpitOf(c).mfdTexts(area.id, lines) : cockpitOf(c).areaTexts(area.id, lines);
    if (!found)
        error = "panel " + std::to_string(cockpitOf(c).currentPanel()) + " does not show MFD " +
                std::to_string(area.id);
    return found;
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

bool areaPoint(ScriptContext &c, const std::string &areaText, int &x, int &y, const int *offset,
               std::string &error) {
    AreaRef area;
    if (!parseArea(c, areaText, area, error)) return false;
    if (area.mfd) {
        error = "an MFD screen takes no clicks; click its button areas";
        return false;
    }
    RECT rect;
    cockpitOf(c).areaRectangle(area.id, rect);
    x = rect.left + (offset != nullptr ? offset[0] : (rect.right - rect.left) / 2);
    y = rect.top + (offset != nullptr ? offset[1] : (rect.bottom - rect.top) / 2);
    return true;
}

// ---- commands -----------------------------------------------------------

bool cmdPanel(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    int id;
    if (!needArgs(args, 1, 1, "panel N", error) || !parseInt(args[0], id, error)) return false;
    if (cockpitOf(c).showPanel(id) != id) {
        error = "the focus vessel did not load panel " + args[0];
        return false;
    }
    return true;
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
    if (!areaPoint(c, args[0], x, y, args.size() == 3 ? offset : nullptr, error)) return false;
    pressFor(c, x, y, 1);
    return true;
}

bool cmdClickAt(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    int x, y;
    if (!needArgs(args, 2, 2, "clickat X Y", error) || !parseInt(args[0], x, error) ||
        !parseInt(args[1], y, error))
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
    if (!areaPoint(c, args[0], x, y, offset, error)) return false;
    pressFor(c, x, y, 1 + frames);
    return true;
}

bool cmdType(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    const std::string text = c.rest;
    for (char ch : text) {
        if (characterKey(ch) == 0) {
            error = std::string("type cannot send the character '") + ch +
                    "' (letters, digits, space, '.', ';' and '-' only)";
            return false;
        }
    }
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

bool deliverAnswer(ScriptContext &c, const char *what, std::string &error) {
    sim::Cockpit &cockpit = cockpitOf(c);
    for (int i = 0; i < kInputWaitFrames && cockpit.pendingInputAnswers() > 0 && c.frame(); ++i) {
    }
    if (cockpit.pendingInputAnswers() == 0) return true;
    cockpit.dropInputAnswers();
    error = std::string("no input box took the ") + what + " within " + std::to_string(kInputWaitFrames) +
            " frames";
    return false;
}

bool cmdInput(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    cockpitOf(c).queueInputAnswer(c.rest);
    return deliverAnswer(c, "answer", error);
}

bool cmdCancel(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    if (!needArgs(args, 0, 0, "cancel", error)) return false;
    cockpitOf(c).queueInputCancel();
    return deliverAnswer(c, "cancel", error);
}

bool writePicture(ScriptContext &c, const sim::Surface &picture, const std::string &file,
                  std::string &error) {
    if (picture.width() == 0 || picture.height() == 0) {
        error = "panel " + std::to_string(cockpitOf(c).currentPanel()) + " has no picture";
        return false;
    }
    return sim::writePng(picture, c.path(file), error);
}

bool cmdShot(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    if (!needArgs(args, 1, 1, "shot FILE.png", error)) return false;
    return writePicture(c, cockpitOf(c).panelImage(), args[0], error);
}

bool cmdView(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    if (!needArgs(args, 1, 1, "view FILE.png", error)) return false;
    return writePicture(c, cockpitOf(c).viewImage(), args[0], error);
}

bool cmdWindow(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    if (!needArgs(args, 1, 1, "window FILE.png", error)) return false;
    return writePicture(c, cockpitOf(c).windowImage(), args[0], error);
}

bool cmdText(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    AreaRef area;
    std::vector<std::string> lines;
    if (!needArgs(args, 1, 1, "text AREA", error) || !parseArea(c, args[0], area, error) ||
        !areaLines(c, area, lines, error))
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
    if (!parseArea(c, args[0], area, error) || !areaLines(c, area, lines, error)) return false;
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
    if (!parseArea(c, args[0], area, error) || !parseInt(args[1], number, error) ||
        !areaLines(c, area, lines, error))
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
