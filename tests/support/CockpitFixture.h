// A simulation in low Earth orbit whose focus vessel is a probe of our own:
// a VESSEL2 that registers small panels and records every callback the
// cockpit makes.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "TestInstallation.h"
#include "cockpit/Cockpit.h"
#include "core/Simulation.h"
#include "gdi/SurfaceHandles.h"

namespace cockpittest {

constexpr std::uint32_t kGrey = sim::Surface::rgb(90, 90, 90);
constexpr std::uint32_t kMagenta = sim::Surface::rgb(255, 0, 255);
constexpr std::uint32_t kInk = sim::Surface::rgb(250, 250, 250);

struct Call {
    int id, event, x, y;
    bool operator==(const Call &other) const {
        return id == other.id && event == other.event && x == other.x && y == other.y;
    }
};

inline std::ostream &operator<<(std::ostream &out, const Call &call) {
    return out << "{" << call.id << ", " << call.event << ", " << call.x << ", " << call.y << "}";
}

// Panel 0: grey background with a magenta (transparent) block at the top
// left, MFD 0 at (400, 10)-(700, 310), areas
//   10 (100,100)-(200,130) redrawn always, left button down
//   11 (100,200)-(140,300) redrawn on request, down and held
//   12 (300,400)-(350,450) never redrawn, down and up
//   13 (500,400)-(540,420) redrawn after mouse events, down
// and panel 2 above it. Panel 1 is bare; other ids are refused.
class ProbeVessel : public VESSEL2 {
public:
    explicit ProbeVessel(OBJHANDLE handle) : VESSEL2(handle) {}

    bool clbkLoadPanel(int id) override {
        loads.push_back(id);
        if (id == 1) return true;
        if (id != 0 && id != 2) return false;
        sim::Surface art(1152, 864, kGrey);
        art.fillRect(0, 0, 300, 200, kMagenta);
        oapiRegisterPanelBackground(sim::createBitmap(art), PANEL_ATTACH_BOTTOM | PANEL_MOVEOUT_BOTTOM,
                                    0xFF00FF);
        if (id == 0) {
            oapiRegisterMFD(MFD_LEFT, MFDSPEC{{400, 10, 700, 310}, 6, 6, 60, 42});
            oapiSetPanelNeighbours(-1, -1, 2, -1);
            oapiRegisterPanelArea(10, RECT{100, 100, 200, 130}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_LBDOWN,
                                  PANEL_MAP_BACKGROUND);
            oapiRegisterPanelArea(11, RECT{100, 200, 140, 300}, PANEL_REDRAW_USER,
                                  PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBPRESSED, PANEL_MAP_BACKGROUND);
            oapiRegisterPanelArea(12, RECT{300, 400, 350, 450}, PANEL_REDRAW_NEVER,
                                  PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBUP, PANEL_MAP_BACKGROUND);
            oapiRegisterPanelArea(13, RECT{500, 400, 540, 420}, PANEL_REDRAW_MOUSE, PANEL_MOUSE_LBDOWN,
                                  PANEL_MAP_BACKGROUND);
        } else {
            oapiSetPanelNeighbours(-1, -1, 0, -1);
            oapiRegisterPanelArea(20, RECT{10, 10, 60, 60}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_LBDOWN,
                                  PANEL_MAP_BACKGROUND);
        }
        return true;
    }

    bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf) override {
        redraws.push_back({id, event, 0, 0});
        if (refuseRedraw) return false;
        HDC dc = oapiGetDC(surf);
        SetTextColor(dc, RGB(250, 250, 250));
        SetBkMode(dc, TRANSPARENT);
        char text[64];
        std::snprintf(text, sizeof text, "area %d draw %zu", id, redraws.size());
        TextOutA(dc, 2, 2, text, int(std::strlen(text)));
        TextOutA(dc, 2, 1, "top", 3);
        oapiReleaseDC(surf, dc);
        return true;
    }

    bool clbkPanelMouseEvent(int id, int event, int mx, int my) override {
        mouse.push_back({id, event, mx, my});
        return true;
    }

    void clbkMFDMode(int mfd, int mode) override { mfdModes.push_back({mfd, mode, 0, 0}); }

    int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) override {
        bufferedKeys.push_back({int(key), down ? 1 : 0, (kstate[key] & 0x80) ? 1 : 0, 0});
        return key == consumeKey ? 1 : 0;
    }

    int clbkConsumeDirectKey(char *kstate) override {
        std::vector<int> held;
        for (int k = 0; k < 256; ++k)
            if (kstate[k] & 0x80) held.push_back(k);
        directKeys.push_back(held);
        return 0;
    }

    std::vector<int> loads;
    std::vector<Call> redraws, mouse, mfdModes, bufferedKeys;
    std::vector<std::vector<int>> directKeys;
    bool refuseRedraw = false;
    DWORD consumeKey = 0;
};

// A circular low Earth orbit at 6771 km; the probe takes over the focus.
class CockpitTest : public ::testing::Test {
protected:
    void SetUp() override {
        installation.writeClass("CockpitProbe", "ClassName = CockpitProbe\nSize = 2\nMass = 500\n");
        const std::string scenario =
            "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 43100.5\nEND_ENVIRONMENT\n"
            "BEGIN_SHIPS\n"
            "P1:CockpitProbe\n  STATUS Orbiting Earth\n  RPOS 6771000 0 0\n  RVEL 0 0 7672.6\n  AROT 0 0 "
            "0\nEND\n"
            "END_SHIPS\n";
        simulation = std::make_unique<sim::Simulation>(installation.root(), installation.work());
        std::string error;
        ASSERT_TRUE(simulation->loadScenario(installation.writeScenario("cockpit.scn", scenario), error))
            << error;
        Vessel *focus = simulation->focus();
        original = focus->iface;
        probe = std::make_unique<ProbeVessel>(static_cast<sim::SimObject *>(focus));
        focus->iface = probe.get();
        cockpit().start(probe.get());
    }

    void TearDown() override {
        if (simulation && original) simulation->focus()->iface = original;
        simulation.reset();
    }

    sim::Cockpit &cockpit() { return simulation->cockpit(); }
    void frames(int n) {
        for (int i = 0; i < n; ++i) simulation->frame();
    }

    testsupport::TestInstallation installation;
    std::unique_ptr<sim::Simulation> simulation;
    std::unique_ptr<ProbeVessel> probe;
    VESSEL *original = nullptr;
};

}  // namespace cockpittest
