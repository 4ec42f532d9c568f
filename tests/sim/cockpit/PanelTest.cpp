// Panels: loading, redraw modes, the composed picture, mouse and key
// dispatch, neighbour switching.
#include "CockpitFixture.h"

using namespace cockpittest;

namespace {

int count(const std::vector<Call> &calls, int id, int event) {
    int n = 0;
    for (const Call &c : calls)
        if (c.id == id && c.event == event) ++n;
    return n;
}

}  // namespace

TEST_F(CockpitTest, RedrawModesDecideWhenAreasAreDrawn) {
    EXPECT_EQ(cockpit().currentPanel(), 0);
    EXPECT_EQ(probe->loads, std::vector<int>({0}));
    // Showing the panel draws every area that is ever redrawn, once.
    EXPECT_EQ(count(probe->redraws, 10, PANEL_REDRAW_INIT), 1);
    EXPECT_EQ(count(probe->redraws, 11, PANEL_REDRAW_INIT), 1);
    EXPECT_EQ(count(probe->redraws, 12, PANEL_REDRAW_INIT), 0);

    probe->redraws.clear();
    frames(3);
    EXPECT_EQ(count(probe->redraws, 10, PANEL_REDRAW_ALWAYS), 3);
    EXPECT_EQ(probe->redraws.size(), 3u);  // 11 waits for a request, 12 never

    oapiTriggerRedrawArea(0, 0, 11);
    oapiTriggerRedrawArea(2, 0, 11);  // not the panel on show: ignored
    EXPECT_TRUE(cockpit().areaRedrawPending(11));
    frames(2);
    EXPECT_EQ(count(probe->redraws, 11, PANEL_REDRAW_USER), 1);

    // The area keeps only the texts of its last redraw, top to bottom.
    std::vector<std::string> lines;
    ASSERT_TRUE(cockpit().areaTexts(10, lines));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "top");
    EXPECT_EQ(lines[1], "area 10 draw " + std::to_string(probe->redraws.size()));
    EXPECT_FALSE(cockpit().areaTexts(99, lines));
}

TEST_F(CockpitTest, RefusedRedrawKeepsThePreviousPicture) {
    frames(1);
    std::vector<std::string> before, after;
    cockpit().areaTexts(10, before);
    const sim::Surface pictureBefore = cockpit().panelImage();
    probe->refuseRedraw = true;
    frames(2);
    cockpit().areaTexts(10, after);
    EXPECT_EQ(after, before);
    const sim::Surface pictureAfter = cockpit().panelImage();
    EXPECT_TRUE(
        std::equal(pictureBefore.pixels(), pictureBefore.pixels() + 1152 * 864, pictureAfter.pixels()));
}

TEST_F(CockpitTest, PanelPictureIsBackgroundAreasAndMfdScreens) {
    frames(1);
    const sim::Surface picture = cockpit().panelImage();
    ASSERT_EQ(picture.width(), 1152);
    ASSERT_EQ(picture.height(), 864);
    EXPECT_EQ(picture.pixel(800, 600), kGrey);
    EXPECT_EQ(picture.pixel(10, 10), kMagenta);
    // Area 10 shows the module's text over the background under it.
    bool inked = false;
    for (int y = 100; y < 130; ++y)
        for (int x = 100; x < 200; ++x) inked |= picture.pixel(x, y) != kGrey;
    EXPECT_TRUE(inked);
    // MFD 0's screen (black with green text) covers its rectangle.
    EXPECT_EQ(picture.pixel(401, 305), 0u);
}

TEST_F(CockpitTest, MouseEventsFollowTheAreasMouseModes) {
    // Area 10: down only. Coordinates are relative to the area.
    EXPECT_TRUE(cockpit().pressMouse(150, 110));
    frames(1);
    cockpit().releaseMouse();
    frames(2);
    EXPECT_EQ(probe->mouse, std::vector<Call>({{10, PANEL_MOUSE_LBDOWN, 50, 10}}));

    // Area 11: down, then held every frame until released.
    probe->mouse.clear();
    cockpit().pressMouse(100, 245);
    frames(3);
    cockpit().releaseMouse();
    frames(1);
    EXPECT_EQ(probe->mouse, std::vector<Call>({{11, PANEL_MOUSE_LBDOWN, 0, 45},
                                               {11, PANEL_MOUSE_LBPRESSED, 0, 45},
                                               {11, PANEL_MOUSE_LBPRESSED, 0, 45}}));

    // Area 12: down and up.
    probe->mouse.clear();
    cockpit().pressMouse(349, 449);
    frames(1);
    cockpit().releaseMouse();
    frames(1);
    EXPECT_EQ(probe->mouse,
              std::vector<Call>({{12, PANEL_MOUSE_LBDOWN, 49, 49}, {12, PANEL_MOUSE_LBUP, 49, 49}}));

    // Area 13 is redrawn after each handled mouse event, in the same frame.
    probe->redraws.clear();
    cockpit().pressMouse(510, 410);
    frames(1);
    cockpit().releaseMouse();
    frames(1);
    EXPECT_EQ(count(probe->redraws, 13, PANEL_REDRAW_MOUSE), 1);

    // Outside every area (right and bottom edges are exclusive): nothing.
    probe->mouse.clear();
    EXPECT_FALSE(cockpit().pressMouse(200, 110));
    frames(1);
    cockpit().releaseMouse();
    frames(1);
    EXPECT_TRUE(probe->mouse.empty());
}

TEST_F(CockpitTest, BufferedKeysComeBeforeTheDirectKeyState) {
    cockpit().queueKey(OAPI_KEY_A, true);
    frames(1);
    cockpit().queueKey(OAPI_KEY_A, false);
    cockpit().queueKey(OAPI_KEY_B, true);
    cockpit().queueKey(OAPI_KEY_B, false);
    frames(1);
    // Each event carries the state as it is after the event.
    EXPECT_EQ(
        probe->bufferedKeys,
        std::vector<Call>(
            {{OAPI_KEY_A, 1, 1, 0}, {OAPI_KEY_A, 0, 0, 0}, {OAPI_KEY_B, 1, 1, 0}, {OAPI_KEY_B, 0, 0, 0}}));
    // A is held through the first frame only; B, pressed and released in
    // one frame, never shows in the direct state.
    ASSERT_EQ(probe->directKeys.size(), 2u);
    EXPECT_EQ(probe->directKeys[0], std::vector<int>({OAPI_KEY_A}));
    EXPECT_TRUE(probe->directKeys[1].empty());
}

TEST_F(CockpitTest, CtrlArrowSwitchesToTheNeighbourUnlessTheVesselTakesTheKey) {
    auto ctrlUp = [&] {
        cockpit().queueKey(OAPI_KEY_LCONTROL, true);
        cockpit().queueKey(OAPI_KEY_UP, true);
        cockpit().queueKey(OAPI_KEY_UP, false);
        cockpit().queueKey(OAPI_KEY_LCONTROL, false);
        frames(1);
    };
    ctrlUp();
    EXPECT_EQ(cockpit().currentPanel(), 2);
    ctrlUp();
    EXPECT_EQ(cockpit().currentPanel(), 0);
    EXPECT_EQ(probe->loads, std::vector<int>({0, 2, 0}));
    EXPECT_EQ(cockpit().showNeighbour(0), -1);  // panel 0 has no left neighbour

    probe->consumeKey = OAPI_KEY_UP;
    ctrlUp();
    EXPECT_EQ(cockpit().currentPanel(), 0);
}

TEST_F(CockpitTest, SetPanelReportsRefusalAndKeepsThePreviousPanel) {
    EXPECT_EQ(oapiSetPanel(3), -1);
    EXPECT_EQ(cockpit().currentPanel(), 0);
    EXPECT_EQ(oapiSetPanel(1), 1);
    EXPECT_EQ(cockpit().currentPanel(), 1);
    EXPECT_EQ(cockpit().panelImage().width(), 0);  // the bare panel has no picture
    EXPECT_TRUE(cockpit().areaIds().empty());
    // A click on a bare panel reaches nobody.
    cockpit().pressMouse(150, 110);
    frames(1);
    EXPECT_TRUE(probe->mouse.empty());
}

TEST_F(CockpitTest, PanelSwitchFromInsideAMouseEventIsSafe) {
    // The module switches panels from its mouse callback, as a panel button
    // does; the held button must not reach the new panel.
    struct Switcher : ProbeVessel {
        using ProbeVessel::ProbeVessel;
        bool clbkPanelMouseEvent(int id, int event, int mx, int my) override {
            ProbeVessel::clbkPanelMouseEvent(id, event, mx, my);
            if (id == 11) oapiSetPanel(2);
            return true;
        }
    };
    Switcher switcher(static_cast<sim::SimObject *>(simulation->focus()));
    simulation->focus()->iface = &switcher;
    cockpit().start(&switcher);
    cockpit().pressMouse(110, 210);
    frames(3);
    EXPECT_EQ(cockpit().currentPanel(), 2);
    EXPECT_EQ(switcher.mouse.size(), 1u);
    simulation->focus()->iface = probe.get();
    cockpit().start(probe.get());
}
