#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "ClockDisplay.h"
#include "HostStatusDisplay.h"
#include "MfdButtonLabels.h"
#include "ModuleDrawingFixture.h"
#include "PanelDrawing.h"
#include "PanelTestSupport.h"
#include "PhotoView.h"

using panel_test::AreaSurface;
using panel_test::ConsoleState;
using panel_test::FakeHost;

namespace {

class PanelDrawing : public testsupport::ModuleDrawingFixture {};

const std::uint32_t kBlack = sim::Surface::rgb(0, 0, 0);
const std::uint32_t kRed = sim::Surface::rgb(255, 0, 0);

// "text@x,y" for each text drawn, in order.
std::vector<std::string> Placed(const AreaSurface &area) {
    std::vector<std::string> placed;
    for (const auto &record : area.texts())
        placed.push_back(record.text + "@" + std::to_string(record.x) + "," + std::to_string(record.y));
    return placed;
}

std::vector<std::string> Texts(const AreaSurface &area) {
    std::vector<std::string> texts;
    for (const auto &record : area.texts()) texts.push_back(record.text);
    return texts;
}

ClockReadings Readings(double mjd, double simTime) {
    ClockReadings readings;
    readings.mjd = mjd;
    readings.simTime = simTime;
    readings.cameraAperture = 20.0 * RAD;
    readings.frameRate = 60.0;
    readings.simStep = 0.0166;
    readings.timeAcceleration = 10.0;
    return readings;
}

}  // namespace

TEST_F(PanelDrawing, LabelColumnGeometry) {
    AreaSurface area(18, 300);
    const char *labels[6] = {"A", nullptr, "ABCD", nullptr, nullptr, "MNU"};
    DrawButtonLabelColumn(area.handle, labels);
    // One character at top + 10; four at top - 5, + 5, + 15, + 25 (top 35 and 119).
    EXPECT_EQ(Placed(area), (std::vector<std::string>{"A@9,45", "A@9,114", "B@9,124", "C@9,134", "D@9,144",
                                                      "M@9,245", "N@9,255", "U@9,265"}));
    for (const auto &record : area.texts()) EXPECT_EQ(record.align, unsigned(TA_CENTER | TA_TOP));
    // Every key is a black box from x 1 and its top, 35 high, labelled or not.
    for (int row = 0; row < 6; ++row) {
        const int top = 35 + 42 * row;
        EXPECT_EQ(area.at(1, top), kBlack) << row;
        EXPECT_EQ(area.at(2, top + 20), kBlack) << row;
        EXPECT_EQ(area.at(0, top + 5), AreaSurface::kBackground) << row;
        EXPECT_EQ(area.at(5, top - 1), AreaSurface::kBackground) << row;
        EXPECT_EQ(area.at(5, top + 36), AreaSurface::kBackground) << row;
    }
}

TEST_F(PanelDrawing, BottomButtons) {
    AreaSurface area(90, 15);
    DrawMfdBottomButtons(area.handle);
    EXPECT_EQ(Placed(area), (std::vector<std::string>{u8"Вкл@12,1", u8"ВО@42,1", u8"ВЛ@72,1"}));
    EXPECT_EQ(area.at(1, 1), kBlack);
    EXPECT_EQ(area.at(31, 10), kBlack);
    EXPECT_EQ(area.at(61, 5), kBlack);
    EXPECT_EQ(area.at(27, 5), AreaSurface::kBackground);  // the gap between two keys
    EXPECT_EQ(area.at(0, 0), AreaSurface::kBackground);
}

TEST_F(PanelDrawing, ClockLines) {
    AreaSurface area(78, 183);
    // 16 May 1978, 2:57:46; one day, one hour, one minute and one second simulated.
    DrawClocks(area.handle, Readings(43644.123456, 90061.9));
    EXPECT_EQ(Placed(area), (std::vector<std::string>{
                                "MJD@3,3", "43644.12346@3,17", "UTC@3,31", "16. 5.1978@3,45", " 2:57:46@3,59",
                                u8"СиВр@3,73", u8"0л 0м 1д@3,87", u8" 1ч 1м 1с@3,101", u8"ПВ40.0КС60.0@3,115",
                                u8"Шаг 0.017@3,129", u8"Уск 10.0 dB@3,143"}));

    // 1 January 2000, noon, shows its full year; 400 days and 3 s simulated
    // are one year, one month (January 1971 has 31 days) and 4 days.
    AreaSurface later(78, 183);
    DrawClocks(later.handle, Readings(51544.5, 400 * 86400.0 + 3.0));
    const std::vector<std::string> texts = Texts(later);
    ASSERT_EQ(texts.size(), 11u);
    EXPECT_EQ(texts[3], " 1. 1.2000");
    EXPECT_EQ(texts[6], u8"1л 1м 4д");
    EXPECT_EQ(texts[7], u8" 0ч 0м 3с");
}

TEST_F(PanelDrawing, ClocksBlankBelowOneSecond) {
    AreaSurface area(78, 183);
    DrawClocks(area.handle, Readings(43644.5, 0.5));
    EXPECT_TRUE(area.untouched());
    DrawClocks(area.handle, Readings(43644.5, 1.0));
    EXPECT_EQ(area.texts().size(), 11u);
}

TEST(CalendarFromUnixSeconds, MatchesTheCLibraryOverFourCenturies) {
    // Days spread over 1970 to 2370 (leap centuries included) and the last
    // second of each.
    for (long long day = 0; day < 146097; day += 97) {
        for (long long seconds : {day * 86400, day * 86400 + 86399}) {
            const std::time_t t = static_cast<std::time_t>(seconds);
            std::tm reference;
            ASSERT_NE(gmtime_r(&t, &reference), nullptr);
            const CalendarTime calendar = CalendarFromUnixSeconds(seconds);
            ASSERT_EQ(calendar.year, reference.tm_year + 1900LL) << seconds;
            ASSERT_EQ(calendar.month, reference.tm_mon + 1) << seconds;
            ASSERT_EQ(calendar.day, reference.tm_mday) << seconds;
            ASSERT_EQ(calendar.hour, reference.tm_hour) << seconds;
            ASSERT_EQ(calendar.minute, reference.tm_min) << seconds;
            ASSERT_EQ(calendar.second, reference.tm_sec) << seconds;
        }
    }
    const CalendarTime leapDay = CalendarFromUnixSeconds(951782400);  // 29 February 2000
    EXPECT_EQ(leapDay.month, 2);
    EXPECT_EQ(leapDay.day, 29);
}

TEST_F(PanelDrawing, HostStatusLinesAndValues) {
    ConsoleState state;
    FakeHost host;
    state.hostProgram = &host;
    state.hostMode = -1;
    state.lightTime = 10.0;
    CopyLine(state.terminal.fileLines[3], Terminal::kLineSize, "210;0.5;1;2;3");
    PanelFields fields = state.Fields();

    host.statusText = "Режим 4++ВК;8+ВКС;3;1.5;2.5+Топливо 10";
    AreaSurface area(132, 175);
    DrawHostStatus(area.handle, fields);
    EXPECT_EQ(host.lastCapacity, 1024);
    EXPECT_EQ(Placed(area), (std::vector<std::string>{u8"Режим 4@3,3", u8"ВК;8@3,13", u8"ВКС;3;1.5;2.5@3,23",
                                                      u8"Топливо 10@3,33"}));
    EXPECT_EQ(state.hostMode, 3);
    EXPECT_EQ(state.hostValueA, 1.5);
    EXPECT_EQ(state.hostValueB, 2.5);
    EXPECT_NEAR(state.transmissionEstimate, 20 * 0.4, 1e-12);

    // Without "+" the text is one line; reading stops at the first missing field.
    host.statusText = "ВКС;;7;";
    AreaSurface single(132, 175);
    DrawHostStatus(single.handle, fields);
    EXPECT_EQ(Placed(single), (std::vector<std::string>{u8"ВКС;;7;@3,3"}));
    EXPECT_EQ(state.hostMode, 7);
    EXPECT_EQ(state.hostValueA, 1.5);
    EXPECT_EQ(state.hostValueB, 2.5);
}

TEST_F(PanelDrawing, HostStatusEmptyTextOrLinkingLeavesEverythingAlone) {
    ConsoleState state;
    FakeHost host;
    state.transmissionEstimate = 123.0;
    CopyLine(state.terminal.fileLines[0], Terminal::kLineSize, "5;1");
    {
        PanelFields noHost = state.Fields();
        AreaSurface area(132, 175);
        DrawHostStatus(area.handle, noHost);
        EXPECT_TRUE(area.untouched());
    }
    state.hostProgram = &host;
    PanelFields fields = state.Fields();
    for (const char *text : {"", "+", "+++"}) {
        host.statusText = text;
        AreaSurface area(132, 175);
        DrawHostStatus(area.handle, fields);
        EXPECT_TRUE(area.untouched()) << text;
    }
    EXPECT_EQ(state.transmissionEstimate, 123.0);

    state.linking = true;
    host.statusText = "ВКС;9";
    host.lastCapacity = 0;
    AreaSurface area(132, 175);
    DrawHostStatus(area.handle, fields);
    EXPECT_TRUE(area.untouched());
    EXPECT_EQ(host.lastCapacity, 0);  // the host is not even asked
    EXPECT_EQ(state.hostMode, 0);
    EXPECT_EQ(state.transmissionEstimate, 123.0);

    state.linking = false;
    DrawHostStatus(area.handle, fields);
    EXPECT_EQ(state.hostMode, 9);
    EXPECT_NEAR(state.transmissionEstimate, 14 * 0.4, 1e-12);
}

TEST_F(PanelDrawing, HostStatusFillingTheWholeBufferIsCutAtItsEnd) {
    // A host that writes all 1024 bytes and no terminating zero: the text
    // ends at byte 1023, and nothing past the buffer is read.
    ConsoleState state;
    FakeHost host;
    state.hostProgram = &host;
    PanelFields fields = state.Fields();
    host.statusText = "ВКС;5;1e999;junk+" + std::string(2000, 'x');
    AreaSurface area(132, 175);
    DrawHostStatus(area.handle, fields);
    ASSERT_EQ(area.texts().size(), 2u);
    EXPECT_EQ(area.texts()[1].text.size(), 1023u - std::strlen("ВКС;5;1e999;junk+"));
    EXPECT_EQ(state.hostMode, 5);
    EXPECT_EQ(state.hostValueA, HUGE_VAL);  // a number too large for a double is held at infinity
    EXPECT_EQ(state.hostValueB, 0.0);       // and one that is none reads 0
}

TEST_F(PanelDrawing, ReadoutsAndComposerFields) {
    ConsoleState state;
    state.relayAngle = 0.5 * PI;
    state.transmissionEstimate = 12.34;
    state.lightTime = 299.96;
    std::strcpy(state.composer.code, "610");
    PanelFields fields = state.Fields();

    struct Case {
        int area;
        const char *text;
    };
    for (const Case &c : {Case{106, "90.0"}, Case{107, "12.3"}, Case{108, "300.0"}, Case{100, "610"},
                          Case{102, "0;0;0"}, Case{105, "0;0;0;0;0"}}) {
        AreaSurface area(148, 16);
        EXPECT_TRUE(PanelRedrawEvent(fields, c.area, PANEL_REDRAW_ALWAYS, area.handle));
        EXPECT_EQ(Placed(area), std::vector<std::string>{std::string(c.text) + "@3,3"}) << c.area;
        EXPECT_EQ(area.texts().front().align, unsigned(TA_LEFT | TA_TOP));
    }
    state.targetVisible = false;
    AreaSurface hidden(42, 13);
    PanelRedrawEvent(fields, 106, PANEL_REDRAW_ALWAYS, hidden.handle);
    EXPECT_EQ(Texts(hidden), std::vector<std::string>{"-90.0"});

    for (int other : {9, 111, 201, 209, 3201}) {
        AreaSurface area(20, 20);
        EXPECT_FALSE(PanelRedrawEvent(fields, other, PANEL_REDRAW_ALWAYS, area.handle)) << other;
        EXPECT_TRUE(area.untouched()) << other;
    }
}

TEST_F(PanelDrawing, PhotoCaptions) {
    FrameTable frames;
    {
        AreaSurface area(800, 800);
        DrawPhotoView(area.handle, frames, 3);
        EXPECT_EQ(Placed(area), std::vector<std::string>{u8"Кадр 3 пустой@3,3"});
    }
    for (int stateNumber : {1, 4}) {
        FrameSlot &slot = frames.slots[7];
        slot.state = stateNumber;
        slot.time = 43650.25;
        slot.paramA[0] = 1.7;
        slot.paramA[1] = 2.0;
        slot.paramA[2] = -0.5;
        AreaSurface area(800, 800);
        DrawPhotoView(area.handle, frames, 7);
        EXPECT_EQ(Texts(area), std::vector<std::string>{u8"Кадр 7 Время 43650.250000 Парам 1 2 0 Стат " +
                                                        std::to_string(stateNumber)});
    }
    // Parameters beyond the range of int are held at its ends.
    frames.slots[8].state = 1;
    frames.slots[8].paramA[0] = 1e300;
    frames.slots[8].paramA[1] = -1e300;
    AreaSurface area(800, 800);
    DrawPhotoView(area.handle, frames, 8);
    EXPECT_EQ(Texts(area),
              std::vector<std::string>{u8"Кадр 8 Время 0.000000 Парам 2147483647 -2147483648 0 Стат 1"});

    AreaSurface outside(800, 800);
    DrawPhotoView(outside.handle, frames, 32);
    DrawPhotoView(outside.handle, frames, -1);
    EXPECT_TRUE(outside.untouched());
}

TEST_F(PanelDrawing, PhotoPictureWithMarksByPointingChoice) {
    FrameTable frames;
    FrameSlot &slot = frames.slots[4];
    slot.state = 6;
    slot.image = oapiCreateSurface(800, 800);  // the table frees it
    const std::uint32_t picture = sim::Surface::rgb(10, 20, 30);
    sim::surfaceFromHandle(slot.image)->fill(picture);

    struct Case {
        double choice;
        std::size_t labels;
        const char *first;
    };
    for (const Case &c : {Case{0.0, 13, "0@403,715"}, Case{1.0, 7, "40@442,724"}, Case{2.0, 7, "-40@371,724"},
                          Case{0.5, 0, nullptr}, Case{3.0, 0, nullptr}}) {
        slot.paramA[0] = c.choice;
        AreaSurface area(800, 800);
        DrawPhotoView(area.handle, frames, 4);
        EXPECT_EQ(area.at(100, 100), picture) << c.choice;
        EXPECT_EQ(area.at(799, 799), picture) << c.choice;
        ASSERT_EQ(area.texts().size(), c.labels) << c.choice;
        if (c.first) {
            EXPECT_EQ(Placed(area).front(), c.first);
        }
    }

    // Set A and B: red squares at their marks (set B's are larger).
    slot.paramA[0] = 0.0;
    AreaSurface area(800, 800);
    DrawPhotoView(area.handle, frames, 4);
    EXPECT_EQ(area.at(400, 718), kRed);
    EXPECT_EQ(area.at(398, 716), kRed);
    EXPECT_EQ(area.at(397, 457), kRed);
    EXPECT_EQ(area.at(395, 718), picture);
    EXPECT_EQ(Placed(area)[7], "0@404,456");

    // In state 5 the picture arrives column by column; a slot without one
    // shows its marks on the background.
    FrameSlot &bare = frames.slots[5];
    bare.state = 5;
    bare.paramA[0] = 1.0;
    AreaSurface empty(800, 800);
    DrawPhotoView(empty.handle, frames, 5);
    EXPECT_EQ(empty.at(100, 100), AreaSurface::kBackground);
    EXPECT_EQ(empty.at(439, 727), kRed);
    EXPECT_EQ(empty.texts().size(), 7u);
}
