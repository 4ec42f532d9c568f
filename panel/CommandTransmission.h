// Command transmission from Earth to the spacecraft: the transmission button
// (area 204) and the estimate of how long sending the stored lines takes.
#ifndef OKUL_PANEL_COMMANDTRANSMISSION_H
#define OKUL_PANEL_COMMANDTRANSMISSION_H

#include "PanelFields.h"
#include "Terminal.h"

// Seconds needed to send the terminal's stored lines. Each non-empty line
// costs 14 units, plus two units per character of each of its fields after
// the code and the time (up to nine fields, empty fields skipped; a line
// without a time costs only the 14). A unit takes 0.4 s while the signal
// time `lightTime` is below 300 s, and 6.25 s from 300 s on.
double TransmissionEstimate(const char (&fileLines)[Terminal::kFileLineCount][Terminal::kLineSize],
                            double lightTime);

// The transmission button. Every stored record is sent, delayed by the
// transmission estimate and the signal time; a relative time (0 or less)
// counts from the moment the record arrives, a time before that moment is
// reported late and moved to it. Codes 310 (relink to the interplanetary
// spacecraft), 600 (schedule a frame), 610 (send frames to Earth) and 620
// (frame report) are carried out by the console; every other code goes to
// the host spacecraft's ExecuteCommand.
void Transmit(PanelFields &fields);

#endif  // OKUL_PANEL_COMMANDTRANSMISSION_H
