#include "RecordFormat.h"

#include <cstdio>

void FormatAttitudeRecord(char *out, std::size_t size, double time, const VECTOR3 &direction) {
    std::snprintf(out, size, "%d;%.5f;%.4f;%.4f;%.4f;", kCodeAttitude, time, direction.x, direction.y,
                  direction.z);
}

void FormatBurnRecord(char *out, std::size_t size, double time, double increment) {
    std::snprintf(out, size, "%d;%.5f;0;%.4f;", kCodeBurn, time, increment);
}
