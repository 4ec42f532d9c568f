// The reception of a picture on Earth: the grey levels of the channels and
// receivers, the column schedule, the dropouts by relay angle, the colour
// channel, the saved file (or the report that it could not be written) and
// the retransmission.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <optional>
#include <string>

#include "FrameReception.h"
#include "InterfaceConstants.h"
#include "NoiseGenerator.h"
#include "PhotoCapture.h"
#include "TemporaryFolder.h"
#include "WorkingFolderScope.h"
#include "gdi/SurfaceHandles.h"

namespace {

const double kStart = 43049.25;  // transmission time of the test frames
const double kSecond = 1.0 / 86400.0;

// A frame on board with an on-board picture of one colour, ready for the
// downlink at kStart, in a working folder of its own.
class FrameReceptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.emplace();
        folder->makeFolder("PHOTO");
        workingFolder.emplace(folder->path());
        slot = FrameSlot{};
        slot.state = kFrameTransmitting;
        slot.transmitTime = kStart;
        slot.scanColumn = kPictureSize;
    }
    void TearDown() override {
        if (slot.image) oapiDestroySurface(slot.image);
        if (slot.rawImage) oapiDestroySurface(slot.rawImage);
        workingFolder.reset();
        folder.reset();
    }
    void OnBoard(std::uint32_t colour) {
        slot.rawImage = sim::createSurface(sim::Surface(kPictureSize, kPictureSize, colour));
        MakeBlankImage(slot);
    }
    // Runs the step that leads to `mjd` (one-second steps unless said otherwise).
    bool Step(double mjd, double relayAngleDegrees = 0.0, double simdt = 1.0) {
        bool cut = false;
        return TransmitStep(slot, 7, simdt, mjd, cut, relayAngleDegrees * kRad);
    }
    sim::Surface &Received() { return *sim::surfaceFromHandle(slot.image); }
    std::uint32_t ReceivedAt(int x, int y) { return Received().pixel(x, y); }
    bool FileExists() { return std::filesystem::exists(*folder / "PHOTO/photo7.bmp"); }
    // Share of received pixels that are black.
    double BlackShare() {
        long black = 0;
        for (int y = 0; y < kPictureSize; ++y)
            for (int x = 0; x < kPictureSize; ++x) black += ReceivedAt(x, y) == 0;
        return double(black) / (kPictureSize * kPictureSize);
    }

    std::optional<testsupport::TemporaryFolder> folder;
    std::optional<testsupport::WorkingFolderScope> workingFolder;
    FrameSlot slot;
};

// The expected black share of a picture for a dropout chance p per pixel:
// outside a run every pixel starts one with chance p, of length L uniform in
// the draws (r * p * 0.30518..., r = 0 .. 32767; L = 0 starts nothing).
double ExpectedBlackShare(double p) {
    double meanLength = 0.0, noRun = 0.0;
    for (int r = 0; r <= 32767; ++r) {
        const int length = int(r * p * 0.3051850947599719);
        meanLength += length / 32768.0;
        noRun += (length == 0) / 32768.0;
    }
    return p * meanLength / (p * meanLength + (1.0 - p) + p * noRun);
}

}  // namespace

TEST(ReceivedLevels, ChannelsReceiversAndTheLevelRules) {
    // White in the mean channel: trunc(765 x 1/3) = 254, above the high
    // threshold; black gives the floor, not 0.
    EXPECT_EQ(ChannelGrey(0, 255, 255, 255), 254);
    EXPECT_EQ(ReceiverLevel(254, false), 254);
    EXPECT_EQ(ReceiverLevel(ChannelGrey(0, 0, 0, 0), false), 25);
    // The truncations in their order.
    EXPECT_EQ(ChannelGrey(1, 0, 0, 100), 92);
    EXPECT_EQ(ChannelGrey(2, 0, 100, 0), 100);
    EXPECT_EQ(ChannelGrey(3, 100, 0, 0), 107);
    EXPECT_EQ(ChannelGrey(4, 100, 100, 0), 104);  // trunc(157.3) x 2/3
    EXPECT_EQ(ChannelGrey(6, 255, 255, 255), 0);
    EXPECT_EQ(ChannelGrey(-1, 255, 255, 255), 0);
    // Mid-range levels: twice half the grey, plus the offset.
    EXPECT_EQ(ReceiverLevel(100, false), 125);
    EXPECT_EQ(ReceiverLevel(101, false), 125);
    EXPECT_EQ(ReceiverLevel(229, false), 253);
    EXPECT_EQ(ReceiverLevel(230, false), 254);  // above 229 before the offset
    // Below the low threshold the level is 0, which the floor then lifts.
    EXPECT_EQ(ReceiverLevel(5, false), 25);
    EXPECT_EQ(ReceiverLevel(60, false), 85);
    // High contrast: g = 90 is above 0.3 of the range.
    EXPECT_EQ(ReceiverLevel(90, true), 254);
    EXPECT_EQ(ReceiverLevel(20, true), 85);
    EXPECT_EQ(ReceiverLevel(1, true), 25);
    // The third of the mean channel is taken exactly: 3 x 85 gives 84.
    EXPECT_EQ(ChannelGrey(0, 85, 85, 85), 84);
    EXPECT_EQ(ChannelGrey(0, 86, 86, 86), 85);
}

TEST(ReceivedLevels, DropoutChanceByRelayAngle) {
    EXPECT_DOUBLE_EQ(DropoutChance(30.0), 30.0 / 60000.0);
    EXPECT_DOUBLE_EQ(DropoutChance(0.0), 0.0);
    EXPECT_EQ(DropoutChance(60.0), 0.01);
    EXPECT_EQ(DropoutChance(69.9), 0.01);
    EXPECT_EQ(DropoutChance(70.0), 0.1);
    EXPECT_EQ(DropoutChance(80.0), 0.9);
    EXPECT_EQ(DropoutChance(90.0), 0.9);
}

TEST_F(FrameReceptionTest, ColumnsArriveEveryTwoSecondsFromTheRightEdge) {
    OnBoard(sim::Surface::rgb(255, 255, 255));
    Step(kStart - kSecond);  // before its time the frame only waits
    EXPECT_EQ(slot.scanColumn, 800);
    EXPECT_EQ(ReceivedAt(700, 400), sim::Surface::rgb(10, 0, 0));
    EXPECT_EQ(ReceivedAt(799, 400), sim::Surface::rgb(100, 0, 0));  // the blank's outline

    // Just past the start only column 800, outside the picture, has arrived;
    // the cursor marks column 799, which comes with the next two seconds.
    Step(kStart + 0.5 * kSecond);
    EXPECT_EQ(slot.scanColumn, 799);
    EXPECT_EQ(ReceivedAt(799, 400), sim::Surface::rgb(255, 0, 0));
    Step(kStart + 2.5 * kSecond);
    EXPECT_EQ(slot.scanColumn, 798);
    EXPECT_EQ(ReceivedAt(799, 400), sim::Surface::rgb(254, 254, 254));
    EXPECT_EQ(ReceivedAt(798, 400), sim::Surface::rgb(255, 0, 0));

    Step(kStart + 100.5 * kSecond);  // 49 columns in one step
    EXPECT_EQ(slot.scanColumn, 749);
    EXPECT_EQ(slot.state, kFrameTransmitting);

    Step(kStart + 1599.0 * kSecond);
    EXPECT_EQ(slot.state, kFrameTransmitting);
    EXPECT_FALSE(FileExists());
    Step(kStart + 1600.5 * kSecond);
    EXPECT_EQ(slot.state, kFrameTransmitted);
    EXPECT_EQ(slot.scanColumn, -1);
    EXPECT_TRUE(FileExists());
    EXPECT_EQ(ReceivedAt(0, 0), sim::Surface::rgb(254, 254, 254));
}

TEST_F(FrameReceptionTest, OneLongStepReceivesTheWholePicture) {
    OnBoard(sim::Surface::rgb(0, 0, 0));
    EXPECT_TRUE(Step(kStart + 2.0, 0.0, 86400.0));
    EXPECT_EQ(slot.state, kFrameTransmitted);
    EXPECT_TRUE(FileExists());
    for (int x : {0, 399, 799}) EXPECT_EQ(ReceivedAt(x, 10), sim::Surface::rgb(25, 25, 25));
}

TEST_F(FrameReceptionTest, APictureWithoutItsFolderIsReceivedButReportedUnsaved) {
    std::filesystem::remove_all(*folder / "PHOTO");
    OnBoard(sim::Surface::rgb(0, 0, 0));
    EXPECT_TRUE(Step(kStart + 1000.0 * kSecond));  // under way: nothing to save yet
    EXPECT_FALSE(Step(kStart + 2000.0 * kSecond));
    EXPECT_EQ(slot.state, kFrameTransmitted);
    EXPECT_FALSE(FileExists());
}

TEST_F(FrameReceptionTest, DropoutsFollowTheRelayAngle) {
    const double angles[] = {30.0, 90.0};
    for (double angle : angles) {
        OnBoard(sim::Surface::rgb(128, 128, 128));
        slot.scanColumn = kPictureSize;
        slot.dropoutRun = 0;
        SeedNoise(12345);
        Step(kStart + 1.0, angle, 86400.0);
        const double expected = ExpectedBlackShare(DropoutChance(angle));
        EXPECT_NEAR(BlackShare(), expected, angle < 60.0 ? 0.2 * expected : 0.001) << angle;
        oapiDestroySurface(slot.rawImage);
        slot.rawImage = nullptr;
    }
    // At 30 degrees a run lasts at most 30 / 6 = 5 pixels down a column.
    OnBoard(sim::Surface::rgb(128, 128, 128));
    slot.scanColumn = kPictureSize;
    SeedNoise(99);
    Step(kStart + 1.0, 30.0, 86400.0);
    int longest = 0;
    for (int x = 0; x < kPictureSize; ++x) {
        int run = 0;
        for (int y = 0; y < kPictureSize; ++y) {
            run = ReceivedAt(x, y) == 0 ? run + 1 : 0;
            if (run > longest) longest = run;
        }
    }
    EXPECT_LE(longest, 10);  // two runs may meet across a column's end
    EXPECT_GE(longest, 1);
}

TEST_F(FrameReceptionTest, ColourChannelKeepsTheColoursWithoutDropouts) {
    OnBoard(sim::Surface::rgb(200, 100, 50));
    slot.paramA[1] = 5.0;
    Step(kStart + 1.0, 90.0, 86400.0);
    EXPECT_EQ(BlackShare(), 0.0);
    EXPECT_EQ(ReceivedAt(123, 456), sim::Surface::rgb(200, 95, 45));

    // 5.5 truncates to channel 5 for the grey value but is not the colour
    // channel: a uniform level 25, struck out by the dropouts.
    TearDown();
    SetUp();
    OnBoard(sim::Surface::rgb(200, 100, 50));
    slot.paramA[1] = 5.5;
    Step(kStart + 1.0, 65.0, 86400.0);
    const double black = BlackShare();
    EXPECT_GT(black, 0.1);
    EXPECT_LT(black, 0.9);
    for (int y = 0; y < kPictureSize; ++y) {
        const std::uint32_t pixel = ReceivedAt(300, y);
        ASSERT_TRUE(pixel == 0 || pixel == sim::Surface::rgb(25, 25, 25)) << y;
    }
}

TEST_F(FrameReceptionTest, HighContrastReceiverOnlyForModeExactly50) {
    OnBoard(sim::Surface::rgb(91, 91, 91));  // g = 90 in the mean channel
    slot.paramB[0] = 50.0;
    Step(kStart + 1.0, 0.0, 86400.0);
    EXPECT_EQ(ReceivedAt(400, 400), sim::Surface::rgb(254, 254, 254));

    TearDown();
    SetUp();
    OnBoard(sim::Surface::rgb(91, 91, 91));
    slot.paramB[0] = 50.5;
    Step(kStart + 1.0, 0.0, 86400.0);
    EXPECT_EQ(ReceivedAt(400, 400), sim::Surface::rgb(115, 115, 115));
}

TEST_F(FrameReceptionTest, RetransmissionRepaintsWithoutANewPhotograph) {
    OnBoard(sim::Surface::rgb(255, 255, 255));
    Step(kStart + 1.0, 0.0, 86400.0);
    ASSERT_EQ(slot.state, kFrameTransmitted);
    const SURFHANDLE image = slot.image, raw = slot.rawImage;

    slot.state = kFrameResend;
    slot.transmitTime = kStart + 2.0;
    slot.dropoutRun = 17;
    RestartTransmission(slot);
    EXPECT_EQ(slot.state, kFrameTransmitting);
    EXPECT_EQ(slot.scanColumn, 800);
    EXPECT_EQ(slot.dropoutRun, 0);
    EXPECT_EQ(slot.image, image);
    EXPECT_EQ(slot.rawImage, raw);
    EXPECT_EQ(ReceivedAt(0, 0), sim::Surface::rgb(100, 0, 0));  // the blank's outline
    EXPECT_EQ(ReceivedAt(400, 400), sim::Surface::rgb(10, 0, 0));

    Step(kStart + 3.0, 0.0, 86400.0);
    EXPECT_EQ(slot.state, kFrameTransmitted);
    EXPECT_EQ(ReceivedAt(400, 400), sim::Surface::rgb(254, 254, 254));
}
