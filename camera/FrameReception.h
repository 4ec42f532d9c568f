// The reception of a picture on Earth. From the frame's transmission time
// one column arrives every two seconds of simulated time, from the right
// edge to the left; each pixel is reduced to a grey level through the
// frame's colour channel and the receiver's range, and struck out in runs
// whose likelihood grows with the angle between the host's +z axis and the
// relay. After the last column the picture is saved as "PHOTO\photo%d.bmp"
// and the frame is transmitted.
#ifndef OKUL_CAMERA_FRAMERECEPTION_H
#define OKUL_CAMERA_FRAMERECEPTION_H

#include <OrbiterAPI.h>

#include "FrameTable.h"

// A frame in transmission: slows the simulation tenfold (from above 100,
// at most once per step for all slots: accelerationCut) while fewer than
// three steps remain before the transmission time; once it has come, paints
// every column that has arrived. relayAngle is in radians. Returns false when
// the picture was complete but its file could not be written (the frame is
// transmitted all the same).
bool TransmitStep(FrameSlot &slot, int index, double simdt, double mjd, bool &accelerationCut,
                  double relayAngle);

// A transmitted frame requested again: the blank picture is painted anew and
// the transmission starts over at the right edge, without a new photograph.
void RestartTransmission(FrameSlot &slot);

// The pieces of a received pixel (R, G, B of the picture on board, 0 to 255).

// Grey value of a colour channel: 0 the weighted mean, 1 blue, 2 green,
// 3 red, 4 green and red; any other channel gives 0.
int ChannelGrey(int channel, int red, int green, int blue);
// The receiver's level for a grey value: 0 below the low threshold, 25 to
// 254 above it. The high-contrast receiver has three times the gain and a
// third of the thresholds.
int ReceiverLevel(int grey, bool highContrast);
// Chance that a dropout run starts at a pixel, by the relay angle in degrees.
double DropoutChance(double relayAngleDegrees);

#endif  // OKUL_CAMERA_FRAMERECEPTION_H
