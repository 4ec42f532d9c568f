// The console vessel's fields that the panel's input, drawing and command
// transmission work on, handed over as references for one callback. The
// vessel fills it from its own members; the panel code never sees the
// vessel class itself.
#ifndef OKUL_PANEL_PANELFIELDS_H
#define OKUL_PANEL_PANELFIELDS_H

#include <OrbiterAPI.h>

#include "CommandComposer.h"
#include "Quaternion.h"
#include "ShipProgram.h"
#include "Terminal.h"

// Values of the detach and re-attach cycle's timer (`attachTimer`, seconds).
// Idle it rests far below zero; the detach button sets it far above zero;
// in between it counts down the second the console stays free.
const double kAttachIdle = -2000000.0;
const double kAttachRequest = 2000000.0;
const double kAttachRequested = 1000000.0;  // above this: a request, detach now
const double kAttachCounting = -1000000.0;  // above this (and at most 0): re-attach now

struct PanelFields {
    Terminal &terminal;
    CommandComposer &composer;

    // Orientation of the console on its attachment (keypad turning) and the
    // size in degrees of the next turning step while a keypad key is held.
    Quaternion &pointing;
    double &keyStep;
    // The console's +z (viewing) and +x axes as global directions.
    const VECTOR3 &axisZ;
    const VECTOR3 &axisX;

    // Set to start the detach and re-attach cycle.
    double &attachTimer;

    // The host spacecraft's program interface; null while there is none.
    SHIPprg *hostProgram;
    // Values read from the host's status text (its "ВКС" line).
    int &hostMode;
    double &hostValueA;
    double &hostValueB;
    // True while the console is still linking to the host: the status
    // display stays blank.
    const bool &linking;

    // Seconds of transmission time for the stored lines (shown in area 107).
    double &transmissionEstimate;
    // Signal time between Earth and the spacecraft, seconds.
    const double &lightTime;
    // Angle of the relay seen from the spacecraft (radians) and whether the
    // target is visible.
    const double &relayAngle;
    const bool &targetVisible;

    // The spacecraft configuration and the restart request, which the
    // console's own command 310 sets.
    int &configuration;
    bool &restartRequested;
};

#endif  // OKUL_PANEL_PANELFIELDS_H
