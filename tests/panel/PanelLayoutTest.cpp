// The panels as the simulator receives them from the real module: every
// registration (areas in order with their rectangles, redraw, mouse and
// background modes; MFDs; background flags and colour key; neighbours) and
// the results of clbkLoadPanel, checked against the panel tables that the
// artwork and the bitmap test read too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelElements.h"
#include "PanelLayout.h"
#include "SimulationWorld.h"
#include "cockpit/Cockpit.h"
#include "cockpit/Panel.h"

using testsupport::SimulationWorld;

namespace {

class PanelLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(world.loadInstalled("mars_approach.scn"));
        world.frames(1);
    }
    sim::Cockpit &Cockpit() { return world.simulation().cockpit(); }

    void ExpectRegistered(const PanelElement *areas, int count) {
        const sim::Panel *panel = Cockpit().shownPanel();
        ASSERT_NE(panel, nullptr);
        ASSERT_EQ(int(panel->areas().size()), count);
        for (int i = 0; i < count; ++i) {
            const sim::PanelArea &shown = panel->areas()[i];
            SCOPED_TRACE("area " + std::to_string(areas[i].id));
            EXPECT_EQ(shown.id, areas[i].id);
            EXPECT_EQ(shown.rect.left, areas[i].rect.left);
            EXPECT_EQ(shown.rect.top, areas[i].rect.top);
            EXPECT_EQ(shown.rect.right, areas[i].rect.right);
            EXPECT_EQ(shown.rect.bottom, areas[i].rect.bottom);
            EXPECT_EQ(shown.redrawMode, areas[i].redraw);
            EXPECT_EQ(shown.mouseMode, areas[i].mouse);
            EXPECT_EQ(shown.backgroundMode, PANEL_MAP_BACKGROUND);
        }
        EXPECT_TRUE(panel->hasBackground());
        EXPECT_EQ(panel->attachFlags(), 0x11u);
        EXPECT_TRUE(panel->hasColourKey());
        EXPECT_EQ(panel->compose().width(), 1152);
        EXPECT_EQ(panel->compose().height(), 864);
    }
    void ExpectNeighbours(const PanelNeighbours &n) {
        const sim::Panel *panel = Cockpit().shownPanel();
        EXPECT_EQ(panel->neighbour(sim::PanelLeft), n.left);
        EXPECT_EQ(panel->neighbour(sim::PanelRight), n.right);
        EXPECT_EQ(panel->neighbour(sim::PanelUp), n.top);
        EXPECT_EQ(panel->neighbour(sim::PanelDown), n.bottom);
    }

    SimulationWorld world;
};

}  // namespace

TEST_F(PanelLayoutTest, MainPanelRegistrations) {
    ASSERT_EQ(Cockpit().showPanel(0), 0);
    ExpectRegistered(kMainPanelAreas, kMainPanelAreaCount);
    ExpectNeighbours(kMainPanelNeighbours);
    const sim::Panel *panel = Cockpit().shownPanel();
    ASSERT_EQ(panel->mfds().size(), 3u);
    for (int mfd = 0; mfd < 3; ++mfd) {
        const MFDSPEC &spec = panel->mfds()[mfd].spec;
        EXPECT_EQ(panel->mfds()[mfd].index, mfd);
        EXPECT_EQ(spec.pos.left, kMainPanelMfds[mfd].pos.left);
        EXPECT_EQ(spec.pos.right, kMainPanelMfds[mfd].pos.right);
        EXPECT_EQ(spec.pos.top, 15);
        EXPECT_EQ(spec.pos.bottom, 315);
        EXPECT_EQ(spec.nbt_left, 6);
        EXPECT_EQ(spec.nbt_right, 6);
        EXPECT_EQ(spec.bt_yofs, 60);
        EXPECT_EQ(spec.bt_ydist, 42);
    }
    // The order of the table: the MFD columns and rows, the terminal, the
    // fields, readouts and displays, then the buttons; no area 209.
    std::vector<int> ids = Cockpit().areaIds();
    EXPECT_EQ(ids.front(), 0);
    EXPECT_EQ(ids[9], 51);
    EXPECT_EQ(ids.back(), 210);
    EXPECT_EQ(FindPanelArea(kMainPanelAreas, kMainPanelAreaCount, 209), nullptr);
}

TEST_F(PanelLayoutTest, PhotoAndBarePanels) {
    ASSERT_EQ(Cockpit().showPanel(2), 2);
    ExpectRegistered(kPhotoPanelAreas, kPhotoPanelAreaCount);
    ExpectNeighbours(kPhotoPanelNeighbours);
    EXPECT_TRUE(Cockpit().shownPanel()->mfds().empty());
    EXPECT_EQ(Cockpit().areaIds(), (std::vector<int>{3201, 3202, 3203, 3101}));

    // The bare outside view: nothing registered, but the panel loads.
    ASSERT_EQ(Cockpit().showPanel(1), 1);
    EXPECT_TRUE(Cockpit().shownPanel()->areas().empty());
    EXPECT_FALSE(Cockpit().shownPanel()->hasBackground());

    // Unknown panels are refused; the panel shown stays.
    EXPECT_EQ(Cockpit().showPanel(3), -1);
    EXPECT_EQ(Cockpit().currentPanel(), 1);
    // Up from either panel leads to the other.
    ASSERT_EQ(Cockpit().showPanel(0), 0);
    EXPECT_EQ(Cockpit().showNeighbour(sim::PanelUp), 2);
    EXPECT_EQ(Cockpit().showNeighbour(sim::PanelUp), 0);
    EXPECT_EQ(Cockpit().showNeighbour(sim::PanelLeft), -1);
}

TEST(PanelLayout, MissingBitmapMakesTheLoadFail) {
    // No module instance: the bitmaps are not found; the registrations are
    // made anyway and the result is false.
    EXPECT_FALSE(LoadPanel(nullptr, 0));
    EXPECT_FALSE(LoadPanel(nullptr, 2));
    EXPECT_TRUE(LoadPanel(nullptr, 1));
    EXPECT_FALSE(LoadPanel(nullptr, 7));
}

TEST(PanelElements, ModesAgreeWithWhatEachElementDoes) {
    for (const PanelElement *table : {kMainPanelAreas, kPhotoPanelAreas}) {
        const int count = table == kMainPanelAreas ? kMainPanelAreaCount : kPhotoPanelAreaCount;
        for (int i = 0; i < count; ++i) {
            const PanelElement &element = table[i];
            SCOPED_TRACE(element.id);
            // An area that takes no mouse events has no click to handle.
            EXPECT_EQ(element.mouse == PANEL_MOUSE_IGNORE, element.click == kClickIgnored);
            // Only the periscope window is redrawn and draws nothing.
            if (element.redraw == PANEL_REDRAW_NEVER) {
                EXPECT_EQ(element.drawing, kDrawNothing);
            } else if (element.drawing == kDrawNothing) {
                EXPECT_EQ(element.id, 111);
            }
            // MFD elements name their MFD, and only they do.
            const bool mfdPart = element.click == kClickMfdLeftButton ||
                                 element.click == kClickMfdRightButton ||
                                 element.click == kClickMfdBottomButton;
            EXPECT_EQ(mfdPart, element.mfd >= 0);
            EXPECT_EQ(FindPanelElement(element.id), &element);  // ids differ across the panels
        }
    }
    for (int mfd = 0; mfd < 3; ++mfd) {
        int left = -1, right = -1;
        ASSERT_TRUE(MfdLabelAreas(mfd, left, right));
        EXPECT_EQ(left, 3 * mfd);
        EXPECT_EQ(right, 3 * mfd + 1);
    }
    int left, right;
    EXPECT_FALSE(MfdLabelAreas(3, left, right));
    EXPECT_FALSE(MfdLabelAreas(-1, left, right));
}
