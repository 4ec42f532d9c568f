// The clocks (area 110, 78 x 183 pixels): the simulation date as MJD and as
// a UTC calendar date and time, the elapsed simulation time, the camera's
// field of view with the frame rate, the step length and the time
// acceleration in decibels.
#ifndef OKUL_PANEL_CLOCKDISPLAY_H
#define OKUL_PANEL_CLOCKDISPLAY_H

#include <OrbiterAPI.h>

// The simulator's values that the clocks show.
struct ClockReadings {
    double mjd;
    double simTime;           // s
    double cameraAperture;    // half the vertical field of view, radians
    double frameRate;         // frames per second
    double simStep;           // s
    double timeAcceleration;  // factor
};

ClockReadings ReadSimulatorClocks();

// Calendar fields of a number of seconds after 1 January 1970, 0 h UTC.
struct CalendarTime {
    long long year;  // e.g. 1977
    int month;       // 1 to 12
    int day;         // 1 to 31
    int hour;
    int minute;
    int second;
};

// Breaks `seconds` (0 or more) after 1 January 1970 down into calendar
// fields (proleptic Gregorian calendar, no leap seconds).
CalendarTime CalendarFromUnixSeconds(long long seconds);

// Draws the eleven clock lines, nothing while the simulation time is below
// one second.
void DrawClocks(SURFHANDLE surface, const ClockReadings &readings);

#endif  // OKUL_PANEL_CLOCKDISPLAY_H
