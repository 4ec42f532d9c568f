#include "NoiseGenerator.h"

#include <ctime>

namespace {

unsigned int noiseState = 1;

}  // namespace

void SeedNoise(unsigned int seed) { noiseState = seed; }

void SeedNoiseFromClock() { SeedNoise(static_cast<unsigned int>(std::time(nullptr))); }

int DrawNoise() {
    noiseState = noiseState * 214013u + 2531011u;  // unsigned: wraps mod 2^32
    return static_cast<int>((noiseState >> 16) & 32767u);
}
