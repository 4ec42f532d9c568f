// A multifunction display of the cockpit: power, the mode it shows, the page
// (the mode's own display, the mode selection list or the list of the
// buttons' functions) and the mode's settings.
//
// Modes:
//   MFD_ORBIT     the focus vessel's orbit about a reference body (by default
//                 its gravity reference): distance, speed and elements
//   MFD_SURFACE   altitude, longitude and latitude over the reference body
//   MFD_INFO      date, simulation time, time acceleration, HUD mode
// Each mode has a few buttons (REF, UNT, HUD, DTF) with keys of their own.
// The F1 key (0x3B) opens the mode selection, where the side buttons pick a
// mode; the grave-accent key (0x29) opens the button menu.
#pragma once

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include <climits>

namespace sim {

class Simulation;

// Our own mode beyond the simulator's standard numbers: the clock page.
constexpr int MFD_INFO = MFD_USERTYPE;

class Mfd {
public:
    enum class Page { Display, ModeSelect, ButtonMenu };
    // What an operation changed: nothing, the button labels (page switch)
    // or the mode (including power).
    enum class Change { None, Labels, Mode };

    static constexpr int buttonCount = 12;
    // A button of a page: label, what the menu page says about it, the key
    // that does the same, and its action.
    struct Button {
        const char *label;
        const char *help;
        DWORD key;
        int action;
    };

    explicit Mfd(int index = 0, int mode = MFD_ORBIT);

    int index() const { return mfdIndex; }
    bool isOn() const { return powered; }
    // The mode as the simulator reports it: MFD_NONE while switched off.
    int mode() const { return powered ? currentMode : MFD_NONE; }
    Page page() const { return currentPage; }
    bool usesKilometres() const { return kilometres; }
    // -1: the focus vessel's gravity reference; else an index into the bodies.
    int referenceBody() const { return reference; }

    static bool isMode(int mode);

    // Label of button 0..11 (1 to 3 characters), or null for none.
    const char *buttonLabel(int button) const;
    // Buttons act on PANEL_MOUSE_LBDOWN; `handled` tells whether the button
    // exists and the event was acted on.
    Change pressButton(int button, int event, bool &handled);
    Change sendKey(DWORD key, bool &handled);
    Change togglePower();
    // Opens a mode (MFD_NONE switches the display off); unknown modes do
    // nothing.
    Change open(int mode);

    // Draws the page into the display surface (cleared to black first).
    void draw(SURFHANDLE display, const MFDSPEC &spec, HFONT font, const Simulation *simulation,
              VESSEL *focus) const;

private:
    const Button *buttons() const;  // the current mode's buttons, 12 entries
    Change act(int action);
    Change showPage(Page page);

    int mfdIndex;
    bool powered = true;
    int currentMode;
    Page currentPage = Page::Display;
    bool kilometres = true;
    bool calendarDate = false;
    int reference = -1;
    // Rows of the screen that the last draw wrote text into (all of it at
    // first: the screen may hold anything).
    mutable int drawnBottom = INT_MAX;
};

}  // namespace sim
