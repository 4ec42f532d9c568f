#include "cockpit/Cockpit.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <utility>

#include "cockpit/InputBoxes.h"
#include "cockpit/Mfd.h"
#include "cockpit/OutsideView.h"
#include "cockpit/Panel.h"
#include "core/Simulation.h"
#include "gdi/Clipboard.h"
#include "gdi/SurfaceHandles.h"

namespace sim {

namespace {

VESSEL2 *asVessel2(VESSEL *vessel) {
    return vessel != nullptr && vessel->Version() >= 1 ? static_cast<VESSEL2 *>(vessel) : nullptr;
}

void sortedTexts(const Surface &surface, std::vector<std::string> &lines) {
    std::vector<const Surface::TextRecord *> records;
    for (const Surface::TextRecord &record : surface.texts()) records.push_back(&record);
    std::stable_sort(records.begin(), records.end(),
                     [](const Surface::TextRecord *a, const Surface::TextRecord *b) {
                         return a->y != b->y ? a->y < b->y : a->x < b->x;
                     });
    lines.clear();
    for (const Surface::TextRecord *record : records) lines.push_back(record->text);
}

// The cockpit that receives injected keyboard events: the one started last.
Cockpit *keyboardOwner = nullptr;

void keyboardEventHandler(unsigned char virtualKey, unsigned int flags, void *context) {
    static_cast<Cockpit *>(context)->keyboardEvent(virtualKey, flags);
}

}  // namespace

struct Cockpit::Impl {
    VESSEL *focus = nullptr;

    std::shared_ptr<Panel> panel;    // shown
    unsigned panelSerial = 0;        // counts panels shown
    std::unique_ptr<Panel> loading;  // collects registrations during clbkLoadPanel
    // Panels replaced while a callback of theirs may still run; freed at
    // the next frame.
    std::vector<std::shared_ptr<Panel>> retired;

    Mfd mfds[mfdCount] = {Mfd(0, MFD_ORBIT), Mfd(1, MFD_SURFACE), Mfd(2, MFD_INFO)};
    InputBoxes inputs;

    unsigned char keys[256] = {0};
    std::deque<std::pair<int, bool>> keyEvents;

    struct MouseEvent {
        bool press;
        int x, y;
    };
    std::deque<MouseEvent> mouseEvents;
    struct Hold {
        bool active = false;
        unsigned panel = 0;
        int area = 0;
        int mx = 0, my = 0;
    } hold;

    SURFHANDLE viewSurface = nullptr;
    HFONT mfdFont = nullptr;
    HFONT hudFont = nullptr;

    VESSEL2 *vessel() const { return asVessel2(focus); }

    void ensureDrawingObjects() {
        if (viewSurface == nullptr || surfaceFromHandle(viewSurface) == nullptr)
            viewSurface = createSurface(windowWidth, windowHeight);
        if (mfdFont == nullptr)
            mfdFont = CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
        if (hudFont == nullptr)
            hudFont = CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    }

    void releaseDrawingObjects() {
        if (viewSurface != nullptr) destroySurface(viewSurface);
        if (mfdFont != nullptr) DeleteObject(mfdFont);
        if (hudFont != nullptr) DeleteObject(hudFont);
        viewSurface = nullptr;
        mfdFont = hudFont = nullptr;
    }

    void notifyMfd(int index, Mfd::Change change) {
        // The vessel hears of every change of what an MFD shows on its
        // buttons: a new mode (MFD_NONE when switched off) and also the
        // mode-selection and menu pages, whose labels differ from the
        // mode's, so that a panel redrawing its labels on clbkMFDMode stays
        // right. The page switches report the unchanged mode.
        if (change == Mfd::Change::None) return;
        if (VESSEL2 *v = vessel()) v->clbkMFDMode(index, mfds[index].mode());
    }

    void drawMfds() {
        std::shared_ptr<Panel> shown = panel;
        if (!shown) return;
        for (const PanelMfd &placement : shown->mfds()) {
            if (placement.index < 0 || placement.index >= mfdCount) continue;
            mfds[placement.index].draw(placement.display, placement.spec, mfdFont, Simulation::current(),
                                       focus);
        }
    }

    void redrawAreas() {
        std::shared_ptr<Panel> shown = panel;
        VESSEL2 *v = vessel();
        if (!shown || v == nullptr) return;
        for (PanelArea &area : shown->areas()) {
            if (panel != shown) break;  // a callback switched panels
            if (area.pendingRedraw != 0) {
                const int event = area.pendingRedraw;
                area.pendingRedraw = 0;
                shown->redraw(area, v, event);
            } else if (area.redrawMode == PANEL_REDRAW_ALWAYS) {
                shown->redraw(area, v, PANEL_REDRAW_ALWAYS);
            }
        }
    }

    void mouseEvent(PanelArea &area, int event, int mx, int my) {
        if (!(area.mouseMode & event)) return;
        VESSEL2 *v = vessel();
        if (v == nullptr) return;
        const int id = area.id;
        const unsigned serial = panelSerial;
        // An area registered with PANEL_REDRAW_MOUSE is redrawn, in this
        // frame's panel update, after every mouse event the vessel handled.
        if (v->clbkPanelMouseEvent(id, event, mx, my) && serial == panelSerial) {
            PanelArea *same = panel ? panel->area(id) : nullptr;
            if (same != nullptr && same->redrawMode == PANEL_REDRAW_MOUSE)
                same->pendingRedraw = PANEL_REDRAW_MOUSE;
        }
    }

    void deliverMouse() {
        bool pressedNow = false;
        while (!mouseEvents.empty()) {
            const MouseEvent event = mouseEvents.front();
            mouseEvents.pop_front();
            std::shared_ptr<Panel> shown = panel;
            if (event.press) {
                pressedNow = true;
                hold.active = false;
                PanelArea *area = shown ? shown->mouseAreaAt(event.x, event.y) : nullptr;
                if (area == nullptr) continue;
                hold = Hold{true, panelSerial, area->id, event.x - area->rect.left, event.y - area->rect.top};
                mouseEvent(*area, PANEL_MOUSE_LBDOWN, hold.mx, hold.my);
            } else {
                if (hold.active && shown && hold.panel == panelSerial) {
                    if (PanelArea *area = shown->area(hold.area))
                        mouseEvent(*area, PANEL_MOUSE_LBUP, hold.mx, hold.my);
                }
                hold.active = false;
            }
        }
        if (!hold.active || pressedNow) return;
        std::shared_ptr<Panel> shown = panel;
        PanelArea *area = shown && hold.panel == panelSerial ? shown->area(hold.area) : nullptr;
        if (area == nullptr) {
            hold.active = false;  // the panel changed under the button
            return;
        }
        mouseEvent(*area, PANEL_MOUSE_LBPRESSED, hold.mx, hold.my);
    }

    void deliverKeys(Cockpit &cockpit) {
        VESSEL2 *v = vessel();
        if (inputs.isOpen()) {
            // The input box has the keyboard: what is typed goes to it, and
            // the vessel sees no key held (its direct-key callback still runs).
            keyEvents.clear();
            std::memset(keys, 0, sizeof keys);
            char state[256] = {0};
            if (v != nullptr) v->clbkConsumeDirectKey(state);
            return;
        }
        while (!keyEvents.empty()) {
            const auto event = keyEvents.front();
            keyEvents.pop_front();
            keys[event.first] = event.second ? 0x80 : 0;
            char state[256];
            std::memcpy(state, keys, sizeof state);
            const int consumed =
                v != nullptr ? v->clbkConsumeBufferedKey(DWORD(event.first), event.second, state) : 0;
            if (!consumed && event.second) simulatorKey(cockpit, event.first);
        }
        char state[256];
        std::memcpy(state, keys, sizeof state);
        if (v != nullptr) v->clbkConsumeDirectKey(state);
        // The simulator's own direct keys (attitude thrusters and the like)
        // are not simulated: what the vessel left set has no effect.
    }

    // Keys the simulator handles itself when the vessel leaves them:
    // Ctrl + arrow switches to the neighbouring panel.
    void simulatorKey(Cockpit &cockpit, int key) {
        const bool control = (keys[OAPI_KEY_LCONTROL] | keys[OAPI_KEY_RCONTROL]) & 0x80;
        if (!control) return;
        switch (key) {
            case OAPI_KEY_LEFT:
                cockpit.showNeighbour(PanelLeft);
                break;
            case OAPI_KEY_RIGHT:
                cockpit.showNeighbour(PanelRight);
                break;
            case OAPI_KEY_UP:
                cockpit.showNeighbour(PanelUp);
                break;
            case OAPI_KEY_DOWN:
                cockpit.showNeighbour(PanelDown);
                break;
            default:
                break;
        }
    }

    void reset() {
        panel.reset();
        retired.clear();
        loading.reset();
        for (int i = 0; i < mfdCount; ++i)
            mfds[i] = Mfd(i, i == 0 ? MFD_ORBIT : i == 1 ? MFD_SURFACE : MFD_INFO);
        inputs.closeAll();
        std::memset(keys, 0, sizeof keys);
        keyEvents.clear();
        mouseEvents.clear();
        hold = Hold{};
    }
};

Cockpit::Cockpit() : impl(new Impl) {}

Cockpit::~Cockpit() {
    shutdown();
    delete impl;
}

void Cockpit::start(VESSEL *focus) {
    impl->reset();
    impl->focus = focus;
    setKeyboardEventHandler(keyboardEventHandler, this);
    keyboardOwner = this;
    impl->ensureDrawingObjects();
    showPanel(0);
}

void Cockpit::shutdown() {
    impl->reset();
    impl->releaseDrawingObjects();
    impl->focus = nullptr;
    if (keyboardOwner == this) {
        setKeyboardEventHandler(nullptr, nullptr);
        keyboardOwner = nullptr;
    }
}

void Cockpit::beginFrame(VESSEL *focus) {
    impl->focus = focus;
    impl->retired.clear();
    deliverInjectedKeys();
    impl->inputs.deliver();
    impl->deliverKeys(*this);
    impl->deliverMouse();
}

void Cockpit::endFrame(VESSEL *focus) {
    impl->focus = focus;
    impl->ensureDrawingObjects();
    impl->redrawAreas();
    impl->drawMfds();
}

// ---------------------------------------------------------------------------
// Panels

int Cockpit::currentPanel() const { return impl->panel ? impl->panel->id() : -1; }

const Panel *Cockpit::shownPanel() const { return impl->panel.get(); }

unsigned Cockpit::panelSerial() const { return impl->panelSerial; }

int Cockpit::showPanel(int id) {
    VESSEL2 *v = impl->vessel();
    if (v == nullptr || impl->loading) return -1;  // no vessel, or asked from inside clbkLoadPanel
    impl->loading = std::make_unique<Panel>(id);
    const bool loaded = v->clbkLoadPanel(id);
    std::unique_ptr<Panel> fresh = std::move(impl->loading);
    if (!loaded) return -1;
    fresh->prepare();
    if (impl->panel) impl->retired.push_back(impl->panel);
    impl->panel = std::shared_ptr<Panel>(fresh.release());
    ++impl->panelSerial;
    impl->hold.active = false;
    // Every area that is ever redrawn is drawn once as the panel appears.
    std::shared_ptr<Panel> shown = impl->panel;
    for (PanelArea &area : shown->areas()) {
        if (impl->panel != shown) break;
        if (area.redrawMode == PANEL_REDRAW_NEVER) continue;
        area.pendingRedraw = 0;
        shown->redraw(area, v, PANEL_REDRAW_INIT);
    }
    impl->ensureDrawingObjects();
    impl->drawMfds();
    return id;
}

int Cockpit::showNeighbour(int direction) {
    if (!impl->panel || direction < PanelLeft || direction > PanelDown) return -1;
    const int target = impl->panel->neighbour(static_cast<PanelDirection>(direction));
    return target < 0 ? -1 : showPanel(target);
}

std::vector<int> Cockpit::areaIds() const {
    std::vector<int> ids;
    if (impl->panel)
        for (const PanelArea &area : impl->panel->areas()) ids.push_back(area.id);
    return ids;
}

bool Cockpit::areaRectangle(int areaId, RECT &rect) const {
    const PanelArea *area = impl->panel ? impl->panel->area(areaId) : nullptr;
    if (area == nullptr) return false;
    rect = area->rect;
    return true;
}

bool Cockpit::areaTexts(int areaId, std::vector<std::string> &lines) const {
    const PanelArea *area = impl->panel ? impl->panel->area(areaId) : nullptr;
    if (area == nullptr) return false;
    sortedTexts(area->shown, lines);
    return true;
}

bool Cockpit::mfdTexts(int mfd, std::vector<std::string> &lines) const {
    const PanelMfd *placement = impl->panel ? impl->panel->mfd(mfd) : nullptr;
    const Surface *display = placement != nullptr ? surfaceFromHandle(placement->display) : nullptr;
    if (display == nullptr) return false;
    sortedTexts(*display, lines);
    return true;
}

bool Cockpit::areaRedrawPending(int areaId) const {
    const PanelArea *area = impl->panel ? impl->panel->area(areaId) : nullptr;
    return area != nullptr && area->pendingRedraw != 0;
}

void Cockpit::registerPanelBackground(HBITMAP bitmap, DWORD flags, DWORD colourKey) {
    if (impl->loading) impl->loading->setBackground(bitmap, flags, colourKey);
}

void Cockpit::registerPanelArea(int id, const RECT &rect, int redrawMode, int mouseMode, int backgroundMode) {
    if (impl->loading) impl->loading->addArea(id, rect, redrawMode, mouseMode, backgroundMode);
}

void Cockpit::registerMfd(int mfd, const MFDSPEC &spec) {
    if (impl->loading && mfd >= 0 && mfd < mfdCount) impl->loading->addMfd(mfd, spec);
}

void Cockpit::setPanelNeighbours(int left, int right, int top, int bottom) {
    if (impl->loading) impl->loading->setNeighbours(left, right, top, bottom);
}

void Cockpit::triggerRedraw(int panelId, int areaId) {
    // Only the panel on show has areas to redraw; the others are drawn
    // afresh when they are shown.
    if (!impl->panel || impl->panel->id() != panelId) return;
    if (PanelArea *area = impl->panel->area(areaId)) area->pendingRedraw = PANEL_REDRAW_USER;
}

// ---------------------------------------------------------------------------
// Pictures

Surface Cockpit::panelImage() const {
    if (!impl->panel || !impl->panel->hasBackground()) return Surface(0, 0);
    return impl->panel->compose();
}

Surface Cockpit::viewImage() { return renderView(); }

const Surface &Cockpit::renderView() {
    impl->ensureDrawingObjects();
    Simulation *simulation = Simulation::current();
    if (impl->focus != nullptr && simulation != nullptr) {
        OutsideView::render(impl->viewSurface, *simulation, *impl->focus, simulation->cameraAperture(),
                            simulation->hudMode(), impl->hudFont);
    } else if (Surface *view = surfaceFromHandle(impl->viewSurface)) {
        view->fill(0);
    }
    static const Surface blank(windowWidth, windowHeight);
    const Surface *view = surfaceFromHandle(impl->viewSurface);
    return view != nullptr ? *view : blank;
}

void Cockpit::renderViewInto(Surface &picture) {
    const Surface &view = renderView();
    Surface *own = surfaceFromHandle(impl->viewSurface);
    if (own == nullptr || own != &view) {
        picture = view;
        return;
    }
    if (picture.width() != own->width() || picture.height() != own->height())
        picture = Surface(own->width(), own->height());
    std::swap(*own, picture);
}

Surface Cockpit::windowImage() { return composeWindow(windowLayers()); }

Cockpit::WindowLayers Cockpit::windowLayers() {
    WindowLayers layers;
    layers.view = viewImage();
    if (!impl->panel || !impl->panel->hasBackground()) return layers;
    const Panel &panel = *impl->panel;
    layers.panel = panel.compose();
    panelOrigin(layers.left, layers.top);
    layers.keyed = panel.hasColourKey();
    layers.key = panel.colourKey();
    return layers;
}

Surface Cockpit::composeWindow(WindowLayers layers) {
    Surface window = std::move(layers.view);
    window.clearTexts();
    const Surface &picture = layers.panel;
    for (int y = 0; y < picture.height(); ++y) {
        const int wy = layers.top + y;
        if (wy < 0 || wy >= window.height()) continue;
        const std::uint32_t *source = picture.row(y);
        std::uint32_t *target = window.row(wy);
        for (int x = 0; x < picture.width(); ++x) {
            const int wx = layers.left + x;
            if (wx < 0 || wx >= window.width()) continue;
            if (!layers.keyed || source[x] != layers.key) target[wx] = source[x];
        }
    }
    return window;
}

bool Cockpit::panelOrigin(int &left, int &top) const {
    if (!impl->panel || !impl->panel->hasBackground()) return false;
    const Panel &panel = *impl->panel;
    left = (windowWidth - panel.width()) / 2;
    top = (panel.attachFlags() & PANEL_ATTACH_TOP) ? 0 : windowHeight - panel.height();
    return true;
}

void Cockpit::keyboardEvent(unsigned char virtualKey, unsigned int flags) {
    // PrintScreen copies the screen, Alt + PrintScreen the active window; the
    // only window here is the render window, which fills the screen, so
    // both give the window image. Windows takes the picture as the key is
    // released.
    if (virtualKey == VK_SNAPSHOT && (flags & KEYEVENTF_KEYUP)) setClipboardBitmap(windowImage());
}

// ---------------------------------------------------------------------------
// Mouse, keys, input boxes

bool Cockpit::pressMouse(int x, int y) {
    impl->mouseEvents.push_back(Impl::MouseEvent{true, x, y});
    return impl->panel && impl->panel->mouseAreaAt(x, y) != nullptr;
}

void Cockpit::releaseMouse() { impl->mouseEvents.push_back(Impl::MouseEvent{false, 0, 0}); }

void Cockpit::queueKey(int scanCode, bool down) {
    if (scanCode <= 0 || scanCode > 255) return;
    impl->keyEvents.emplace_back(scanCode, down);
}

bool Cockpit::keyHeld(int scanCode) const {
    return scanCode > 0 && scanCode < 256 && (impl->keys[scanCode] & 0x80);
}

void Cockpit::queueInputAnswer(const std::string &utf8) { impl->inputs.queueAnswer(utf8); }
void Cockpit::queueInputCancel() { impl->inputs.queueCancel(); }
std::size_t Cockpit::pendingInputAnswers() const { return impl->inputs.pendingAnswers(); }
void Cockpit::dropInputAnswers() { impl->inputs.dropAnswers(); }
bool Cockpit::inputBoxOpen() const { return impl->inputs.isOpen(); }
std::string Cockpit::inputBoxTitle() const { return impl->inputs.title(); }
std::string Cockpit::inputBoxText() const { return impl->inputs.initialText(); }
int Cockpit::inputBoxLength() const { return impl->inputs.visibleLength(); }
unsigned Cockpit::inputBoxSerial() const { return impl->inputs.serialNumber(); }

void Cockpit::openInputBox(const char *title, bool (*callback)(void *, char *, void *),
                           const char *initialText, int visibleLength, void *userData) {
    impl->inputs.open(title, callback, initialText, visibleLength, userData);
}

// ---------------------------------------------------------------------------
// MFDs

Mfd *Cockpit::mfd(int index) { return index >= 0 && index < mfdCount ? &impl->mfds[index] : nullptr; }

bool Cockpit::processMfdButton(int index, int button, int event) {
    Mfd *display = mfd(index);
    if (display == nullptr) return false;
    bool handled = false;
    impl->notifyMfd(index, display->pressButton(button, event, handled));
    return handled;
}

int Cockpit::sendMfdKey(int index, DWORD key) {
    Mfd *display = mfd(index);
    if (display == nullptr) return 0;
    bool handled = false;
    impl->notifyMfd(index, display->sendKey(key, handled));
    return handled ? 1 : 0;
}

void Cockpit::toggleMfdPower(int index) {
    if (Mfd *display = mfd(index)) impl->notifyMfd(index, display->togglePower());
}

const char *Cockpit::mfdButtonLabel(int index, int button) {
    Mfd *display = mfd(index);
    return display != nullptr ? display->buttonLabel(button) : nullptr;
}

void Cockpit::openMfd(int mode, int index) {
    if (Mfd *display = mfd(index)) impl->notifyMfd(index, display->open(mode));
}

int Cockpit::mfdMode(int index) {
    Mfd *display = mfd(index);
    return display != nullptr ? display->mode() : MFD_NONE;
}

}  // namespace sim
