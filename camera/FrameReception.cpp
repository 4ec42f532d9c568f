#include "FrameReception.h"
#include "InterfaceConstants.h"

#include <cstdio>

#include "BmpWriter.h"
#include "NoiseGenerator.h"
#include "PhotoCapture.h"
#include "VectorMath.h"

namespace {

const double kColumnsPerDay = 43200.0;  // one column every 2 s
const double kWarpLimit = 100.0;        // the approach slows the simulation down to this
const int kColourChannel = 5;           // paramA[1] exactly 5.0: the colours as they are
const double kHighContrastMode = 50.0;  // paramB[0] exactly 50.0

// trunc(s * 0.3333333333333333) and trunc(s * 0.6666666666666666) for
// s >= 0, taken exactly: both constants lie just below a third and two
// thirds, so a multiple of 3 gives one less (765 gives 254, not 255, which
// a rounded double product would give).
int TruncatedThird(int s) { return s > 0 ? (s - 1) / 3 : 0; }
int TruncatedTwoThirds(int s) { return s > 0 ? (2 * s - 1) / 3 : 0; }

struct Receiver {
    double gain, lowThreshold, highThreshold;
};
const Receiver kNormalReceiver = {1.0, 0.0225, 0.9};
const Receiver kHighContrastReceiver = {3.0, 0.0075, 0.3};

const int kLevelFloor = 25;
const int kLevelOffset = 25;
const int kLevelCeiling = 254;
const int kLevelSaturation = 229;  // levels above this (before the offset) saturate

// What one received pixel shows; draws from the noise generator in pixel order.
COLORREF ReceivedPixel(FrameSlot &slot, COLORREF source, double chance) {
    const int red = GetRValue(source), green = GetGValue(source), blue = GetBValue(source);
    const int channel = TruncateToInt(slot.paramA[1]);
    const int grey = ChannelGrey(channel, red, green, blue);
    int level = ReceiverLevel(grey, slot.paramB[0] == kHighContrastMode);

    const double u = double(DrawNoise()) / kNoiseMaximum;
    if (u < chance && slot.dropoutRun <= 0)
        slot.dropoutRun = TruncateToInt(DrawNoise() * chance * 0.3051850947599719);
    if (slot.dropoutRun > 0) {
        --slot.dropoutRun;
        level = 0;
    }

    if (slot.paramA[1] == double(kColourChannel))
        return RGB(red, TruncateToInt(0.95 * green), TruncateToInt(0.9 * blue));
    return RGB(level, level, level);
}

}  // namespace

int ChannelGrey(int channel, int red, int green, int blue) {
    switch (channel) {
        case 0:
            return TruncatedThird(TruncateToInt(0.924 * blue + 1.006 * green + 1.07 * red));
        case 1:
            return TruncateToInt(0.924 * blue);
        case 2:
            return TruncateToInt(1.006 * green);
        case 3:
            return TruncateToInt(1.07 * red);
        case 4:
            return TruncatedTwoThirds(TruncateToInt(0.503 * green + 1.07 * red));
        default:
            return 0;
    }
}

int ReceiverLevel(int grey, bool highContrast) {
    const Receiver &receiver = highContrast ? kHighContrastReceiver : kNormalReceiver;
    const double x = grey / 255.0;
    int level = 2 * TruncateToInt(receiver.gain * grey * 0.5);
    if (x < receiver.lowThreshold) level = 0;
    if (x > receiver.highThreshold || level > kLevelSaturation) return kLevelCeiling;
    return level < kLevelFloor ? kLevelFloor : level + kLevelOffset;
}

double DropoutChance(double angle) {
    if (angle < 60.0) return angle / 60000.0;
    if (angle < 70.0) return 0.01;
    if (angle < 80.0) return 0.1;
    return 0.9;
}

void RestartTransmission(FrameSlot &slot) {
    if (slot.image) {
        FillBlankImage(slot.image);
    } else {
        MakeBlankImage(slot);
    }
    slot.scanColumn = kPictureSize;
    slot.state = kFrameTransmitting;
    slot.dropoutRun = 0;
    SeedNoiseFromClock();
}

bool TransmitStep(FrameSlot &slot, int index, double simdt, double mjd, bool &accelerationCut,
                  double relayAngle) {
    if ((slot.transmitTime - mjd) * 86400.0 / simdt < 3.0 && !accelerationCut) {
        const double warp = oapiGetTimeAcceleration();
        if (warp > kWarpLimit) {
            oapiSetTimeAcceleration(warp / 10.0);
            accelerationCut = true;
        }
    }
    if (!(mjd > slot.transmitTime)) return true;

    HDC received = slot.image ? oapiGetDC(slot.image) : nullptr;
    HDC onBoard = slot.rawImage ? oapiGetDC(slot.rawImage) : nullptr;
    int target = kPictureSize - TruncateToInt((mjd - slot.transmitTime) * kColumnsPerDay);
    if (target < 0) target = 0;
    const double chance = DropoutChance(relayAngle * kDeg);
    if (received) {
        SelectObject(received, GetStockObject(DC_PEN));
        SetDCPenColor(received, RGB(255, 0, 0));
    }
    while (slot.scanColumn >= target) {
        const int column = slot.scanColumn;
        if (received) {
            // The cursor marks the next column.
            MoveToEx(received, column - 1, 0, nullptr);
            LineTo(received, column - 1, kPictureSize);
        }
        for (int y = 0; y < kPictureSize; ++y) {
            // Outside the picture (the first column, 800) the read gives
            // CLR_INVALID, which counts as white.
            const COLORREF source = onBoard ? GetPixel(onBoard, column, y) : CLR_INVALID;
            const COLORREF pixel = ReceivedPixel(slot, source, chance);
            if (received) SetPixel(received, column, y, pixel);
        }
        --slot.scanColumn;
    }
    if (onBoard) oapiReleaseDC(slot.rawImage, onBoard);
    if (received) oapiReleaseDC(slot.image, received);

    bool saved = true;
    if (slot.scanColumn < 0) {
        char path[32];
        std::snprintf(path, sizeof(path), "PHOTO\\photo%d.bmp", index);
        if (slot.image) saved = SaveSurfaceBmp(slot.image, 0, 0, kPictureSize, kPictureSize, path) == 1;
        slot.state = kFrameTransmitted;
        oapiSetTimeAcceleration(1.0);
    }
    return saved;
}
