// The user-facing side of the simulator: 2D panels and their areas, the
// three MFDs, keyboard state and buffered key events, mouse clicks, input
// boxes, the outside view and the window image.
//
// The simulation's frame loop drives it (see Simulation::frame):
//   beginFrame(focus)   message loop: answers for open input boxes, buffered
//                       keys, direct keys, mouse events
//   endFrame(focus)     after the state update: panel area redraws, MFD refresh
//
// Input arrives from outside (the runner, tests) through the queue
// functions below and is handed to the focus vessel in the next beginFrame.
// The oapi panel, MFD and input-box functions act on the cockpit of the
// current simulation.
#pragma once

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include <string>
#include <vector>

#include "gdi/Surface.h"

namespace sim {

class Mfd;
class InputBoxes;
class Panel;

class Cockpit {
public:
    static constexpr int mfdCount = 3;
    static constexpr int windowWidth = 1280;
    static constexpr int windowHeight = 960;

    Cockpit();
    ~Cockpit();
    Cockpit(const Cockpit &) = delete;
    Cockpit &operator=(const Cockpit &) = delete;

    // Called once after all vessels are created: shows panel 0 of the focus
    // vessel. Calling it again starts afresh with the given vessel.
    void start(VESSEL *focus);
    // Called before every vessel and module is destroyed.
    void shutdown();

    void beginFrame(VESSEL *focus);
    void endFrame(VESSEL *focus);

    // ---- panels -----------------------------------------------------------
    // The panel shown, or -1 for none.
    int currentPanel() const;
    // The registrations of the panel shown, or null for none.
    const Panel *shownPanel() const;
    // Counts the panels shown so far: a new count, a new panel.
    unsigned panelSerial() const;
    // Asks the focus vessel to load panel `id` (clbkLoadPanel); on success
    // the panel is shown and its areas drawn once. Returns the id, or -1
    // when the vessel refused (the previous panel stays).
    int showPanel(int id);
    // Switches to the neighbour in a direction (0 left, 1 right, 2 up,
    // 3 down); -1 when there is none or it did not load.
    int showNeighbour(int direction);
    // Area ids of the current panel in registration order.
    std::vector<int> areaIds() const;
    bool areaRectangle(int areaId, RECT &rect) const;
    // The texts last drawn in an area of the current panel, in UTF-8, sorted
    // top to bottom, then left to right. False for an unknown area.
    bool areaTexts(int areaId, std::vector<std::string> &lines) const;
    // The texts on an MFD's screen (when the current panel shows it).
    bool mfdTexts(int mfd, std::vector<std::string> &lines) const;
    bool areaRedrawPending(int areaId) const;

    // ---- pictures ---------------------------------------------------------
    // The current panel as composed (background, areas, MFD screens); empty
    // when the panel has no background.
    Surface panelImage() const;
    // The outside view (1280 x 960) from the focus vessel now.
    Surface viewImage();
    // The same, drawn in the cockpit's own view surface and lent until the
    // next call (no copy).
    const Surface &renderView();
    // The same, handed over in `picture` (made window sized if it is not):
    // the view is drawn in the cockpit's surface, then the two exchange
    // their pixels, without a copy (the cockpit draws over the old pixels
    // the next time).
    void renderViewInto(Surface &picture);
    // The render window: the view with the panel over it (its transparent
    // colour lets the view through), attached at the bottom and centred.
    Surface windowImage();
    // The window's layers as they stand now, to be put together later (on
    // another thread) by composeWindow: windowImage is composeWindow of
    // windowLayers.
    struct WindowLayers {
        Surface view{0, 0};
        Surface panel{0, 0};  // empty when no panel picture is shown
        int left = 0, top = 0;
        bool keyed = false;
        std::uint32_t key = 0;
    };
    WindowLayers windowLayers();
    static Surface composeWindow(WindowLayers layers);
    // Where the current panel's top left corner lies in the window; false
    // when no panel picture is shown.
    bool panelOrigin(int &left, int &top) const;

    // ---- mouse ------------------------------------------------------------
    // Left button pressed at a panel pixel; delivered in the next beginFrame
    // (PANEL_MOUSE_LBDOWN), then repeated as PANEL_MOUSE_LBPRESSED each
    // frame until released. False when no mouse area holds the point (the
    // press is still queued).
    bool pressMouse(int x, int y);
    void releaseMouse();

    // ---- keyboard ---------------------------------------------------------
    // A buffered key event (press or release) for the next beginFrame; the
    // key's byte in the direct-key state follows it. While an input box is
    // open it has the keyboard: key events go to it, not to the vessel, whose
    // direct-key state is empty.
    void queueKey(int scanCode, bool down);
    bool keyHeld(int scanCode) const;

    // ---- input boxes ------------------------------------------------------
    void queueInputAnswer(const std::string &utf8);
    void queueInputCancel();
    std::size_t pendingInputAnswers() const;
    void dropInputAnswers();
    bool inputBoxOpen() const;
    std::string inputBoxTitle() const;  // UTF-8
    std::string inputBoxText() const;   // the initial text, UTF-8
    // The length the module gave the open box.
    int inputBoxLength() const;
    // Counts the boxes opened so far.
    unsigned inputBoxSerial() const;

    // ---- MFDs -------------------------------------------------------------
    // MFD 0..2, or null.
    Mfd *mfd(int index);

    // ---- the oapi functions ---------------------------------------------
    void registerPanelBackground(HBITMAP bitmap, DWORD flags, DWORD colourKey);
    void registerPanelArea(int id, const RECT &rect, int redrawMode, int mouseMode, int backgroundMode);
    void registerMfd(int mfd, const MFDSPEC &spec);
    void setPanelNeighbours(int left, int right, int top, int bottom);
    void triggerRedraw(int panelId, int areaId);
    bool processMfdButton(int mfd, int button, int event);
    int sendMfdKey(int mfd, DWORD key);
    void toggleMfdPower(int mfd);
    const char *mfdButtonLabel(int mfd, int button);
    void openMfd(int mode, int mfd);
    int mfdMode(int mfd);
    void openInputBox(const char *title, bool (*callback)(void *, char *, void *), const char *initialText,
                      int visibleLength, void *userData);

    // Keyboard events injected with keybd_event: Alt + PrintScreen copies the
    // window image to the clipboard.
    void keyboardEvent(unsigned char virtualKey, unsigned int flags);

private:
    struct Impl;
    Impl *impl;
};

}  // namespace sim
