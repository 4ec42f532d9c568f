#include "ClockDisplay.h"
#include "InterfaceConstants.h"

#include <cmath>

#include "DrawingObjects.h"
#include "PanelDc.h"

namespace {

const double kUnixEpochMjd = 40587.0;  // 1 January 1970, 0 h
const double kSecondsPerDay = 86400.0;
const int kTextLeft = 3;
const int kLineTops[] = {3, 17, 31, 45, 59, 73, 87, 101, 115, 129, 143};
// Seconds are counted in 64 bits; larger times (beyond some 30 billion
// years) are held at this value rather than overflow.
const double kLargestSeconds = 1e18;

// |value| truncated to whole seconds, held within the counting range (not a
// number counts as 0).
long long WholeSeconds(double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude < kLargestSeconds))
        return magnitude >= kLargestSeconds ? static_cast<long long>(kLargestSeconds) : 0;
    return static_cast<long long>(magnitude);
}

}  // namespace

ClockReadings ReadSimulatorClocks() {
    ClockReadings readings;
    readings.mjd = oapiGetSimMJD();
    readings.simTime = oapiGetSimTime();
    readings.cameraAperture = oapiCameraAperture();
    readings.frameRate = oapiGetFrameRate();
    readings.simStep = oapiGetSimStep();
    readings.timeAcceleration = oapiGetTimeAcceleration();
    return readings;
}

CalendarTime CalendarFromUnixSeconds(long long seconds) {
    if (seconds < 0) seconds = 0;
    CalendarTime calendar;
    long long days = seconds / 86400;
    const long long secondOfDay = seconds % 86400;
    calendar.hour = static_cast<int>(secondOfDay / 3600);
    calendar.minute = static_cast<int>(secondOfDay % 3600 / 60);
    calendar.second = static_cast<int>(secondOfDay % 60);
    // Civil date from a day count (H. Hinnant's algorithm): eras of 400
    // years, years counted from 1 March so that the leap day comes last.
    days += 719468;  // days from 0000-03-01 to 1970-01-01
    const long long era = days / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthFromMarch = (5 * dayOfYear + 2) / 153;
    calendar.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    calendar.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    calendar.year = yearOfEra + era * 400 + (calendar.month <= 2 ? 1 : 0);
    return calendar;
}

void DrawClocks(SURFHANDLE surface, const ClockReadings &readings) {
    if (!(readings.simTime >= 1.0)) return;
    PanelDc panel(surface);
    if (!panel) return;
    SelectObject(panel.dc(), ModuleDrawingObjects().fontLarge);

    const CalendarTime date =
        CalendarFromUnixSeconds(WholeSeconds((readings.mjd - kUnixEpochMjd) * kSecondsPerDay));
    // Elapsed time: the same breakdown, read as years, months and days
    // since the start of 1970.
    const CalendarTime elapsed = CalendarFromUnixSeconds(WholeSeconds(readings.simTime));

    panel.Text(kTextLeft, kLineTops[0], "MJD");
    panel.FormattedText(kTextLeft, kLineTops[1], "%.5f", readings.mjd);
    panel.Text(kTextLeft, kLineTops[2], "UTC");
    panel.FormattedText(kTextLeft, kLineTops[3], "%2d.%2d.%4lld", date.day, date.month, date.year);
    panel.FormattedText(kTextLeft, kLineTops[4], "%2d:%2d:%2d", date.hour, date.minute, date.second);
    panel.Text(kTextLeft, kLineTops[5], "СиВр");
    panel.FormattedText(kTextLeft, kLineTops[6], "%1lldл%2dм%2dд", elapsed.year - 1970, elapsed.month - 1,
                        elapsed.day - 1);
    panel.FormattedText(kTextLeft, kLineTops[7], "%2dч%2dм%2dс", elapsed.hour, elapsed.minute,
                        elapsed.second);
    panel.FormattedText(kTextLeft, kLineTops[8], "ПВ%.1fКС%.1f", 2.0 * readings.cameraAperture * kDeg,
                        readings.frameRate);
    panel.FormattedText(kTextLeft, kLineTops[9], "Шаг %.3f", readings.simStep);
    panel.FormattedText(kTextLeft, kLineTops[10], "Уск %.1f dB",
                        10.0 * std::log10(readings.timeAcceleration));
}
