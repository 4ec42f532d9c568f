// The outside view and the window grab through the clipboard.
#include "CockpitFixture.h"
#include "CameraPointing.h"

#include <cmath>

#include "cockpit/OutsideView.h"
#include "gdi/Clipboard.h"

using namespace cockpittest;
using sim::Surface;
using testsupport::lookingAlong;

namespace {

bool isReddish(std::uint32_t p) {
    return Surface::red(p) > 80 && Surface::red(p) > 1.6 * Surface::green(p) &&
           Surface::red(p) > 1.6 * Surface::blue(p);
}

}  // namespace

TEST_F(CockpitTest, ViewTowardsMarsShowsAReddishDiscAtTheCentre) {
    sim::Body *mars = simulation->body(sim::BodyId::Mars);
    sim::Body *earth = simulation->body(sim::BodyId::Earth);
    const VECTOR3 towardsMars = unit(mars->position() - earth->position());
    // Put the probe on the side of the Earth that faces Mars, looking at it.
    Vessel *focus = simulation->focus();
    focus->position = earth->position() + towardsMars * 6.771e6;
    focus->rotation = lookingAlong(mars->position() - focus->position);

    const Surface view = cockpit().viewImage();
    ASSERT_EQ(view.width(), 1280);
    ASSERT_EQ(view.height(), 960);
    EXPECT_TRUE(isReddish(view.pixel(640, 480))) << std::hex << view.pixel(640, 480);
    // A small dot, not a wash of colour.
    EXPECT_FALSE(isReddish(view.pixel(650, 480)));
    // The same state gives the same picture (fixed star catalogue).
    const Surface again = cockpit().viewImage();
    EXPECT_TRUE(std::equal(view.pixels(), view.pixels() + 1280 * 960, again.pixels()));
    int stars = 0;
    for (int i = 0; i < 1280 * 960; ++i) stars += view.pixels()[i] != 0;
    EXPECT_GT(stars, 5);

    // A narrow field magnifies Mars: more red pixels.
    auto redCount = [](const Surface &s) {
        int n = 0;
        for (int i = 0; i < s.width() * s.height(); ++i) n += isReddish(s.pixels()[i]);
        return n;
    };
    const int wide = redCount(view);
    simulation->setCameraAperture(0.001 * RAD);
    EXPECT_GT(redCount(cockpit().viewImage()), 4 * wide);
}

TEST_F(CockpitTest, ABodyAlmostSquareToTheViewAxisDrawsNothing) {
    // Mars a hair in front of the camera plane: it projects some 10^11
    // pixels off the picture (the sanitizer build checks that no position
    // overflows on the way).
    sim::Body *mars = simulation->body(sim::BodyId::Mars);
    Vessel *focus = simulation->focus();
    const VECTOR3 towardsMars = unit(mars->position() - focus->position);
    const VECTOR3 across = unit(crossp(towardsMars, _V(0, 1, 0)));
    for (const double tilt : {2e-8, -2e-8, 1e-4}) {
        focus->rotation = lookingAlong(across + towardsMars * tilt);
        const Surface view = cockpit().viewImage();
        int red = 0;
        for (int i = 0; i < view.width() * view.height(); ++i) red += isReddish(view.pixels()[i]);
        EXPECT_EQ(red, 0) << tilt;
    }
}

TEST_F(CockpitTest, EarthBelowIsLitOnTheDaySideOnly) {
    sim::Body *earth = simulation->body(sim::BodyId::Earth);
    sim::Body *sun = simulation->body(sim::BodyId::Sun);
    const VECTOR3 towardsSun = unit(sun->position() - earth->position());
    Vessel *focus = simulation->focus();
    // Over the day side looking down, then over the night side looking down.
    focus->position = earth->position() + towardsSun * 7.0e6;
    focus->rotation = lookingAlong(earth->position() - focus->position);
    const std::uint32_t day = cockpit().viewImage().pixel(640, 480);
    focus->position = earth->position() - towardsSun * 7.0e6;
    focus->rotation = lookingAlong(earth->position() - focus->position);
    const std::uint32_t night = cockpit().viewImage().pixel(640, 480);
    // At noon UT in January the Sun stands over the Atlantic and midnight
    // is over the Pacific: open ocean on both sides, dark blue in the map.
    EXPECT_GT(Surface::blue(day), 40u);
    EXPECT_GT(Surface::blue(day), Surface::red(day));
    EXPECT_GT(Surface::blue(day), 8 * Surface::blue(night));
}

TEST_F(CockpitTest, HudSwitchDrawsItsLine) {
    simulation->setHudMode(HUD_NONE);
    const Surface plain = cockpit().viewImage();
    simulation->setHudMode(HUD_ORBIT);
    const Surface withHud = cockpit().viewImage();
    ASSERT_FALSE(withHud.texts().empty());
    EXPECT_NE(withHud.texts()[0].text.find("HUD ORBIT  Earth"), std::string::npos);
    EXPECT_TRUE(plain.texts().empty());
}

TEST_F(CockpitTest, AltPrintScreenPutsTheWindowIntoTheClipboard) {
    sim::clearClipboard();
    oapiSetPanel(1);  // the bare view, as the capture selects it
    keybd_event(VK_MENU, 0, 0, 0);
    keybd_event(VK_SNAPSHOT, 0, 0, 0);
    keybd_event(VK_SNAPSHOT, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);

    ASSERT_TRUE(OpenClipboard(nullptr));
    HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(bitmap, nullptr);
    SURFHANDLE grabbed = oapiCreateSurface(bitmap, true);
    CloseClipboard();
    const Surface *window = sim::surfaceFromHandle(grabbed);
    ASSERT_NE(window, nullptr);
    // Big enough for the capture's crop of 800 x 800 at (176, 32).
    ASSERT_GE(window->width(), 976);
    ASSERT_GE(window->height(), 832);
    const Surface view = cockpit().viewImage();
    for (int y = 32; y < 832; y += 7)
        for (int x = 176; x < 976; x += 7) ASSERT_EQ(window->pixel(x, y), view.pixel(x, y)) << x << "," << y;
    oapiDestroySurface(grabbed);
}

TEST_F(CockpitTest, WindowShowsThePanelAtTheBottomWithTheViewThroughMagenta) {
    frames(1);
    const Surface window = cockpit().windowImage();
    const Surface view = cockpit().viewImage();
    const Surface panel = cockpit().panelImage();
    // Panel 1152 x 864 at (64, 96): grey where it is opaque ...
    EXPECT_EQ(window.pixel(64 + 800, 96 + 600), kGrey);
    EXPECT_EQ(window.pixel(64 + 500, 96 + 200), panel.pixel(500, 200));
    // ... the view through its magenta block and above it.
    EXPECT_EQ(window.pixel(64 + 10, 96 + 10), view.pixel(74, 106));
    EXPECT_EQ(window.pixel(640, 50), view.pixel(640, 50));
}
