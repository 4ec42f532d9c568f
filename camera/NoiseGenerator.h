// The pseudo-random generator of the downlink noise: the linear congruential
// generator s = s * 214013 + 2531011 (mod 2^32), each draw (s >> 16) & 32767.
// One generator for the whole module; the capture of a picture and the
// start of a retransmission seed it with the calendar time in seconds.
#ifndef OKUL_CAMERA_NOISEGENERATOR_H
#define OKUL_CAMERA_NOISEGENERATOR_H

const int kNoiseMaximum = 32767;

void SeedNoise(unsigned int seed);
// Seeds with the calendar time in seconds.
void SeedNoiseFromClock();
// The next draw, 0 to 32767.
int DrawNoise();

#endif  // OKUL_CAMERA_NOISEGENERATOR_H
