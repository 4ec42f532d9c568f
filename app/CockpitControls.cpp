#include "CockpitControls.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "NumberParsing.h"
#include "cockpit/InputBoxes.h"
#include "cockpit/Panel.h"
#include "core/Simulation.h"

namespace okulsim {

namespace {

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

// US keyboard rows for letters.
const char kLetterRows[] = "QWERTYUIOPASDFGHJKLZXCVBNM";
const int kLetterCodes[] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1E, 0x1F, 0x20,
                            0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32};

std::string upper(std::string text) {
    for (char &c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string panelName(const sim::Cockpit &cockpit) {
    return "panel " + std::to_string(cockpit.currentPanel());
}

}  // namespace

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

int keyCode(const std::string &name) {
    const std::string key = upper(name);
    for (const KeyName &entry : kKeyNames)
        if (key == entry.name) return entry.code;
    if (key.size() == 1) return characterKey(key[0]);
    return 0;
}

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

bool checkTypable(const std::string &text, std::string &error) {
    for (char ch : text) {
        if (characterKey(ch) != 0) continue;
        char shown[8];
        if (static_cast<unsigned char>(ch) < 0x20 || static_cast<unsigned char>(ch) >= 0x7F)
            std::snprintf(shown, sizeof shown, "\\x%02X", static_cast<unsigned char>(ch));
        else
            std::snprintf(shown, sizeof shown, "%c", ch);
        error = std::string("cannot type the character '") + shown +
                "' (letters, digits, space, '.', ';' and '-' only)";
        return false;
    }
    return true;
}

bool parseArea(const sim::Cockpit &cockpit, const std::string &text, AreaRef &area, std::string &error) {
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
    if (!cockpit.areaRectangle(area.id, rect)) {
        error = panelName(cockpit) + " has no area " + text;
        return false;
    }
    return true;
}

bool areaLines(const sim::Cockpit &cockpit, const AreaRef &area, std::vector<std::string> &lines,
               std::string &error) {
    const bool found = area.mfd ? cockpit.mfdTexts(area.id, lines) : cockpit.areaTexts(area.id, lines);
    if (!found)
        error = panelName(cockpit) + (area.mfd ? " does not show MFD " : " has no area ") +
                std::to_string(area.id);
    return found;
}

bool areaPoint(const sim::Cockpit &cockpit, const std::string &areaText, const int *offset, int &x, int &y,
               std::string &error) {
    AreaRef area;
    if (!parseArea(cockpit, areaText, area, error)) return false;
    if (area.mfd) {
        error = "an MFD screen takes no clicks; click its button areas";
        return false;
    }
    RECT rect;
    cockpit.areaRectangle(area.id, rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (offset != nullptr && (offset[0] < 0 || offset[1] < 0 || offset[0] >= width || offset[1] >= height)) {
        error = "the point " + std::to_string(offset[0]) + " " + std::to_string(offset[1]) +
                " lies outside area " + areaText + " (" + std::to_string(width) + " x " +
                std::to_string(height) + ")";
        return false;
    }
    x = rect.left + (offset != nullptr ? offset[0] : width / 2);
    y = rect.top + (offset != nullptr ? offset[1] : height / 2);
    return true;
}

bool checkPanelPoint(const sim::Cockpit &cockpit, int x, int y, std::string &error) {
    const sim::Panel *panel = cockpit.shownPanel();
    if (panel == nullptr || !panel->hasBackground()) {
        error = panelName(cockpit) + " has no picture to click";
        return false;
    }
    if (x >= 0 && y >= 0 && x < panel->width() && y < panel->height()) return true;
    error = "the point " + std::to_string(x) + " " + std::to_string(y) + " lies outside " +
            panelName(cockpit) + " (" + std::to_string(panel->width()) + " x " +
            std::to_string(panel->height()) + ")";
    return false;
}

bool showPanel(sim::Cockpit &cockpit, int id, std::string &error) {
    if (cockpit.showPanel(id) == id) return true;
    error = "the focus vessel did not load panel " + std::to_string(id);
    return false;
}

std::size_t inputAnswerLimit(const sim::Cockpit &cockpit) {
    const int length = cockpit.inputBoxLength();
    return length > 1 ? std::size_t(length - 1) : sim::InputBoxes::minimumBuffer - 1;
}

bool checkInputAnswer(const sim::Cockpit &cockpit, const std::string &utf8, std::string &error) {
    if (!cockpit.inputBoxOpen()) {
        error = "no input box is open";
        return false;
    }
    for (char ch : utf8)
        if (static_cast<unsigned char>(ch) < 0x20) {
            error = "an answer is one line of text without control characters";
            return false;
        }
    const std::string bytes = sim::utf8ToCp1251(utf8);
    // Characters the code page lacks (and malformed UTF-8) turn into '?'.
    if (std::count(bytes.begin(), bytes.end(), '?') != std::count(utf8.begin(), utf8.end(), '?')) {
        error = "the answer holds characters the console's code page (Windows-1251) lacks";
        return false;
    }
    const std::size_t limit = inputAnswerLimit(cockpit);
    if (bytes.size() > limit) {
        error = "the answer has " + std::to_string(bytes.size()) + " characters; the box \"" +
                cockpit.inputBoxTitle() + "\" takes at most " + std::to_string(limit);
        return false;
    }
    return true;
}

bool checkTimeAcceleration(double warp, std::string &error) {
    if (warp >= sim::Simulation::minTimeAcceleration && warp <= sim::Simulation::maxTimeAcceleration)
        return true;
    char text[160];
    std::snprintf(text, sizeof text, "the time acceleration %g lies outside %g to %g", warp,
                  sim::Simulation::minTimeAcceleration, sim::Simulation::maxTimeAcceleration);
    error = text;
    return false;
}

bool takePicture(sim::Cockpit &cockpit, PictureKind kind, sim::Surface &picture, std::string &error) {
    switch (kind) {
        case PictureKind::Panel:
            picture = cockpit.panelImage();
            break;
        case PictureKind::View:
            picture = cockpit.viewImage();
            break;
        case PictureKind::Window:
            picture = cockpit.windowImage();
            break;
    }
    if (picture.width() > 0 && picture.height() > 0) return true;
    error = panelName(cockpit) + " has no picture";
    return false;
}

}  // namespace okulsim
