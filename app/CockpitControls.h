// The cockpit operations the runner's script commands and the live console
// share: keys by name and by character, areas by id or MFD name and the
// point of a click in one, the texts an area shows, showing a panel,
// answers for the open input box within its limits, the range of the time
// acceleration, and the pictures of the panel, the view and the window.
// They only check and queue: the frames that deliver input are the
// caller's.
#pragma once

#include <string>
#include <vector>

#include "cockpit/Cockpit.h"
#include "gdi/Surface.h"

namespace okulsim {

// ---- keys ----------------------------------------------------------------

// The scan code of a key name (ENTER, BACK, NUMPAD5, F1, UP, CTRL, a letter,
// a digit; any case), or 0.
int keyCode(const std::string &name);
// The scan code of a character that can be typed (letters, digits, space,
// '.', ';' and '-'), or 0.
int characterKey(char c);
// A key name with modifiers: "CTRL+UP" is Ctrl held around Up.
bool parseKeyChord(const std::string &text, std::vector<int> &codes, std::string &error);
// False, naming the first character, unless every character can be typed.
bool checkTypable(const std::string &text, std::string &error);

// ---- areas -----------------------------------------------------------------

// An area of the current panel: its id, or MFD0..MFD2 for an MFD screen.
struct AreaRef {
    bool mfd = false;
    int id = 0;
};

bool parseArea(const sim::Cockpit &cockpit, const std::string &text, AreaRef &area, std::string &error);
// The texts last drawn in the area, top to bottom.
bool areaLines(const sim::Cockpit &cockpit, const AreaRef &area, std::vector<std::string> &lines,
               std::string &error);
// The panel pixel of a click in an area: `offset` (x, y) inside it, or its
// centre when null. MFD screens take no clicks.
bool areaPoint(const sim::Cockpit &cockpit, const std::string &areaText, const int *offset, int &x, int &y,
               std::string &error);
// A pixel of the current panel's picture, for a click at a point.
bool checkPanelPoint(const sim::Cockpit &cockpit, int x, int y, std::string &error);

// ---- panels, input boxes, time ------------------------------------------

// Shows panel `id` of the focus vessel; false when the vessel refused it.
bool showPanel(sim::Cockpit &cockpit, int id, std::string &error);

// The longest answer the open box takes, in characters of the console's
// code page: the length the module gave the box is the size of its text
// buffer, the terminating zero included.
std::size_t inputAnswerLimit(const sim::Cockpit &cockpit);
// An answer (UTF-8) the open box can take: a box is open, the text is one
// line of characters the console's code page holds, within the box's limit.
bool checkInputAnswer(const sim::Cockpit &cockpit, const std::string &utf8, std::string &error);

// A time acceleration within the simulator's range.
bool checkTimeAcceleration(double warp, std::string &error);

// ---- pictures ------------------------------------------------------------

enum class PictureKind { Panel, View, Window };

// The current panel as composed, the outside view, or the window (the view
// with the panel over it). False when a panel picture is asked for and the
// panel shown has none.
bool takePicture(sim::Cockpit &cockpit, PictureKind kind, sim::Surface &picture, std::string &error);

}  // namespace okulsim
