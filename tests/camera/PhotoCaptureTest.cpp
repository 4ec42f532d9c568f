// Taking photographs with the real console and host modules in the
// simulator: the three steps, the slow-down before the frame's time, the
// camera's pointing and optics, the moves of the attachment points, and the
// picture cut from the window image with its overlay and label.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "FrameTable.h"
#include "OkulVessel.h"
#include "SimulationWorld.h"
#include "gdi/Cp1251.h"
#include "gdi/SurfaceHandles.h"

using testsupport::SimulationWorld;
using testsupport::TwoHostScenario;

namespace {

// The console on TAVR-12's point 0 in a low Earth orbit, past its start-up.
class PhotoCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(world.loadText(TwoHostScenario("  ATTACHED 0:0,TAVR-12\n  CONFIGURATION_T12 1\n")));
        console = world.console();
        world.frames(31, 0.1);
        ASSERT_FALSE(console->linking);
    }
    FrameSlot &Slot(int k) { return console->terminal.frameTable.slots[k]; }
    Attachment *ConsolePoint() { return world.vessel("OKUL")->attachmentByIndex(true, 0); }
    Attachment *HostPoint() { return world.vessel("TAVR-12")->attachmentByIndex(false, 0); }
    double Now() { return world.simulation().mjd(); }

    SimulationWorld world;
    OkulVessel *console = nullptr;
};

void ExpectNear(const VECTOR3 &a, const VECTOR3 &b, const char *what) {
    EXPECT_NEAR(a.x, b.x, 1e-12) << what;
    EXPECT_NEAR(a.y, b.y, 1e-12) << what;
    EXPECT_NEAR(a.z, b.z, 1e-12) << what;
}

// The camera's attachment direction for the angles (degrees), in the
// module's rotation convention: Rx(first) * Rz(third) * (0, 0, 1).
VECTOR3 Direction(double first, double third) {
    const double a = first * kRad, c = third * kRad;
    (void)c;  // Rz leaves (0, 0, 1) alone
    return _V(0.0, std::sin(a), std::cos(a));
}

VECTOR3 Reference(double first, double third) {
    const double a = first * kRad, c = third * kRad;
    // Rz(c) * (1, 0, 0) = (cos c, -sin c, 0); then Rx(a).
    return _V(std::cos(c), -std::sin(c) * std::cos(a), std::sin(c) * std::sin(a));
}

}  // namespace

TEST_F(PhotoCaptureTest, AFrameAlreadyDueIsTakenInThreeSteps) {
    world.simulation().setHudMode(HUD_ORBIT);
    FrameSlot *slot = console->terminal.frameTable.Schedule(Now() - 0.5);
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(world.simulation().cockpit().currentPanel(), 0);

    world.frames(1);  // the camera moves into place on the bare panel
    EXPECT_EQ(slot->state, kFrameCameraSet);
    EXPECT_EQ(world.simulation().cockpit().currentPanel(), 1);
    EXPECT_EQ(world.simulation().hudMode(), HUD_NONE);
    EXPECT_NEAR(oapiCameraAperture(), 30.0 * kRad, 1e-12);
    ExpectNear(ConsolePoint()->direction, Direction(120.0, -45.0), "step 1 direction");
    ExpectNear(ConsolePoint()->rotation, Reference(120.0, -45.0), "step 1 reference");
    ExpectNear(HostPoint()->position, _V(-1.5, -1.5, 0.7), "host point aside");

    const double before = Now();
    world.frames(1);  // pointing by choice 0, the grab, the capture time
    EXPECT_EQ(slot->state, kFramePictureRequested);
    EXPECT_NEAR(slot->time, before + 0.1 / 86400.0, 1e-9);
    ExpectNear(ConsolePoint()->direction, Direction(100.0, -45.0), "step 2 direction");
    ExpectNear(ConsolePoint()->rotation, Reference(100.0, -45.0), "step 2 reference");

    world.frames(1);  // the picture cut out, the camera back, panel 0
    EXPECT_EQ(slot->state, kFrameOnBoard);
    EXPECT_EQ(world.simulation().cockpit().currentPanel(), 0);
    ExpectNear(HostPoint()->position, _V(0.0, 0.0, 0.7), "host point home");
    ExpectNear(HostPoint()->direction, _V(0.0, 0.0, -1.0), "host point direction");
    EXPECT_EQ(slot->scanColumn, 800);
    EXPECT_EQ(slot->dropoutRun, 0);
    ASSERT_NE(slot->rawImage, nullptr);
    ASSERT_NE(slot->image, nullptr);
    const sim::Surface &raw = *sim::surfaceFromHandle(slot->rawImage);
    EXPECT_EQ(raw.width(), 800);
    EXPECT_EQ(raw.height(), 800);
    // The overlay: the grey wedge, the colour patches, the black strip.
    EXPECT_EQ(raw.pixel(15, 10), sim::Surface::rgb(10, 10, 10));
    EXPECT_EQ(raw.pixel(245, 19), sim::Surface::rgb(240, 240, 240));
    EXPECT_EQ(raw.pixel(265, 5), sim::Surface::rgb(255, 0, 0));
    EXPECT_EQ(raw.pixel(275, 5), sim::Surface::rgb(0, 255, 0));
    EXPECT_EQ(raw.pixel(285, 5), sim::Surface::rgb(0, 0, 255));
    EXPECT_EQ(raw.pixel(599, 19), 0u);
    EXPECT_EQ(raw.pixel(400, 400), 0u);  // centre cross
    EXPECT_EQ(raw.pixel(100, 50), 0u);   // scale mark
    const sim::Surface &blank = *sim::surfaceFromHandle(slot->image);
    EXPECT_EQ(blank.pixel(400, 400), sim::Surface::rgb(10, 0, 0));
    EXPECT_EQ(blank.pixel(0, 400), sim::Surface::rgb(100, 0, 0));

    world.frames(5);  // on board: nothing more happens
    EXPECT_EQ(slot->state, kFrameOnBoard);
}

TEST_F(PhotoCaptureTest, TheLabelNamesTheSlotAndTheCaptureTime) {
    console->terminal.frameTable.frameCount = 3;
    FrameSlot *slot = console->terminal.frameTable.Schedule(Now() - 0.01);
    slot->paramA[0] = 2.7;
    slot->paramA[1] = -1.2;
    slot->paramA[2] = 9.0;
    world.frames(3);
    ASSERT_EQ(slot->state, kFrameOnBoard);
    char expected[128];
    std::snprintf(expected, sizeof(expected), "Кадр 3 Время %f Парам 2 -1 9 ", slot->time);
    const sim::Surface &raw = *sim::surfaceFromHandle(slot->rawImage);
    ASSERT_EQ(raw.texts().size(), 1u);
    EXPECT_EQ(raw.texts().front().x, 305);
    EXPECT_EQ(raw.texts().front().y, 3);
    EXPECT_EQ(raw.texts().front().text, sim::cp1251ToUtf8(expected));
}

TEST_F(PhotoCaptureTest, PointingAndOpticsChoices) {
    struct Case {
        double choice, optics, first, third, lensOffset;
    };
    const Case cases[] = {{1.9, 2.0, 100.0, -85.0, 0.0325},
                          {-0.5, 3.0, 100.0, -45.0, -0.0325},
                          {7.0, 2.5, 120.0, -45.0, 0.0},
                          {2.0, 0.0, 100.0, -5.0, 0.0}};
    for (const Case &c : cases) {
        FrameSlot *slot = console->terminal.frameTable.Schedule(Now() - 0.01);
        slot->paramA[0] = c.choice;
        slot->paramA[2] = c.optics;
        world.frames(2);
        ASSERT_EQ(slot->state, kFramePictureRequested) << c.choice;
        ExpectNear(ConsolePoint()->direction, Direction(c.first, c.third), "direction");
        ExpectNear(ConsolePoint()->rotation, Reference(c.first, c.third), "reference");
        EXPECT_NEAR(ConsolePoint()->position.x, c.lensOffset, 1e-15) << c.choice;
        world.frames(1);
        ASSERT_EQ(slot->state, kFrameOnBoard);
    }
}

TEST_F(PhotoCaptureTest, WideOpticsOpenTheApertureForTheGrabOnly) {
    FrameSlot *slot = console->terminal.frameTable.Schedule(Now() - 0.01);
    slot->paramA[2] = 1.0;
    world.frames(1);
    // 90 degrees asked; the simulator opens no wider than 80.
    EXPECT_NEAR(oapiCameraAperture(), 80.0 * kRad, 1e-12);
    // The grab sees the wide view: the window image is taken as the keys
    // come, before the aperture closes again in the same step.
    world.frames(1);
    EXPECT_NEAR(oapiCameraAperture(), 30.0 * kRad, 1e-12);
    world.frames(1);
    EXPECT_EQ(slot->state, kFrameOnBoard);
}

TEST_F(PhotoCaptureTest, TimeAccelerationIsCutOncePerStepForAllFramesDue) {
    world.simulation().setTimeAcceleration(1000.0);
    // Frames 0.1 s of real time: steps of 100 s. Three frames due within
    // three steps.
    for (int k = 0; k < 3; ++k) console->terminal.frameTable.Schedule(Now() + (150.0 + k) / 86400.0);
    world.frames(1);
    EXPECT_EQ(world.simulation().timeAcceleration(), 100.0);  // not 1: one cut for the three
    // Each step cuts at most once, down to 1, until the frames are taken.
    double previous = 100.0;
    for (int step = 0; step < 200 && Slot(2).state == kFrameScheduled; ++step) {
        world.frames(1);
        const double warp = world.simulation().timeAcceleration();
        EXPECT_TRUE(warp == previous || warp == previous / 10.0) << step << ": " << warp;
        previous = warp;
    }
    EXPECT_EQ(previous, 1.0);
    EXPECT_NE(Slot(2).state, kFrameScheduled);
    world.frames(3);
    EXPECT_EQ(Slot(2).state, kFrameOnBoard);

    // A frame far ahead does not slow anything down.
    world.simulation().setTimeAcceleration(1000.0);
    FrameSlot *far = console->terminal.frameTable.Schedule(Now() + 10.0);
    for (int k = 0; k < 3; ++k) Slot(k).state = kFrameOnBoard;
    world.frames(1);
    EXPECT_EQ(world.simulation().timeAcceleration(), 1000.0);
    EXPECT_EQ(far->state, kFrameScheduled);
}

TEST(PhotoCaptureLifetime, TheFramesSurfacesGoWithTheVessel) {
    SimulationWorld world;
    const sim::GdiCounts before = sim::liveGdiCounts();
    ASSERT_TRUE(world.loadText(TwoHostScenario("  ATTACHED 0:0,TAVR-12\n  CONFIGURATION_T12 1\n")));
    world.frames(31, 0.1);
    OkulVessel *console = world.console();
    for (int k = 0; k < 4; ++k) console->terminal.frameTable.Schedule(world.simulation().mjd() - 0.1);
    world.frames(3);
    for (int k = 0; k < 4; ++k) ASSERT_EQ(console->terminal.frameTable.slots[k].state, kFrameOnBoard);
    const sim::GdiCounts during = sim::liveGdiCounts();
    EXPECT_GE(during.surfaces, before.surfaces + 8);  // a picture and a blank per frame

    world.restart();  // every vessel destroyed
    const sim::GdiCounts after = sim::liveGdiCounts();
    EXPECT_EQ(after.surfaces, before.surfaces);
    EXPECT_EQ(after.contexts, before.contexts);
}
