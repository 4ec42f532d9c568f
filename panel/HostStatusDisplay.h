// The host status display (area 109, 132 x 175 pixels): the host
// spacecraft's status text, one line per "+"-separated part. Its "ВКС" line
// also carries the host's mode and two values, which the console keeps; and
// each time a status text is shown the transmission estimate is brought up
// to date with the stored lines.
#ifndef OKUL_PANEL_HOSTSTATUSDISPLAY_H
#define OKUL_PANEL_HOSTSTATUSDISPLAY_H

#include <OrbiterAPI.h>

#include "PanelFields.h"

// Reads a "ВКС" line of `length` bytes: after its leading word the fields
// separated by ";" (empty ones skipped) are the mode (integer) and the values
// A and B. Reading stops at the first missing field, leaving the rest as they
// were. Lines that do not begin with "ВКС" change nothing.
void ReadHostValues(const char *line, int length, int &hostMode, double &hostValueA, double &hostValueB);

// Draws the display. Nothing is drawn while the console is linking to the
// host, and nothing (with the estimate left as it was) when the host has no
// program interface or its status text is empty.
void DrawHostStatus(SURFHANDLE surface, PanelFields &fields);

#endif  // OKUL_PANEL_HOSTSTATUSDISPLAY_H
