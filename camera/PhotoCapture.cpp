#include "PhotoCapture.h"
#include "InterfaceConstants.h"

#include <cstdio>

#include "DrawingObjects.h"
#include "NoiseGenerator.h"
#include "VectorMath.h"

namespace {

const int kBarePanel = 1;
const int kMainPanel = 0;
const double kNarrowAperture = 30.0;  // degrees
const double kWideAperture = 90.0;
const double kLensOffset = 0.0325;  // m, sideways for the two stereo optics

// The host's point that carries the console: moved 1.5 m sideways in x and y
// while the picture is taken, so that the host's own body is out of the view.
const VECTOR3 kHostPointAside = {{-1.5, -1.5, 0.7}};
const VECTOR3 kHostPointHome = {{0.0, 0.0, 0.7}};
const VECTOR3 kHostPointDirection = {{0.0, 0.0, -1.0}};
const VECTOR3 kHostPointReference = {{1.0, 0.0, 0.0}};

const BYTE kAltKey = 0x12;          // VK_MENU
const BYTE kPrintScreenKey = 0x2C;  // VK_SNAPSHOT

struct Pointing {
    double firstAngle, thirdAngle;  // degrees
};

// The pointing choice: paramA[0] truncated towards zero.
Pointing PointingOf(const FrameSlot &slot) {
    switch (TruncateToInt(slot.paramA[0])) {
        case 0:
            return {100.0, -45.0};
        case 1:
            return {100.0, -85.0};
        case 2:
            return {100.0, -5.0};
        default:
            return {120.0, -45.0};
    }
}

// The optics: paramA[2] compared exactly.
double LensOffsetOf(const FrameSlot &slot) {
    if (slot.paramA[2] == 2.0) return kLensOffset;
    if (slot.paramA[2] == 3.0) return -kLensOffset;
    return 0.0;
}

void PointCamera(const CameraMount &mount, double lensOffset, const Pointing &pointing) {
    if (!mount.console || !mount.ownAttachment) return;
    const VECTOR3 angles = _V(pointing.firstAngle * kRad, 0.0, pointing.thirdAngle * kRad);
    VECTOR3 direction, reference;
    RotateXYZ(_V(0.0, 0.0, 1.0), angles, direction);
    RotateXYZ(_V(1.0, 0.0, 0.0), angles, reference);
    mount.console->SetAttachmentParams(mount.ownAttachment, _V(lensOffset, 0.0, 0.0), direction, reference);
}

void PlaceHostPoint(const CameraMount &mount, const VECTOR3 &position) {
    if (!mount.host) return;
    ATTACHMENTHANDLE point = mount.host->GetAttachmentHandle(false, 0);
    if (point) mount.host->SetAttachmentParams(point, position, kHostPointDirection, kHostPointReference);
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void FilledBox(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    SetDCPenColor(dc, colour);
    SetDCBrushColor(dc, colour);
    Rectangle(dc, left, top, right, bottom);
}

// Centre cross, scale marks along the top and left edges, the grid, the grey
// wedge and colour patches, and the frame's label on a black strip.
void DrawOverlay(HDC dc, const FrameSlot &slot, int index) {
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Line(dc, 390, 400, 410, 400);
    Line(dc, 400, 390, 400, 410);
    for (int k = 50; k <= 750; k += 50) {
        Line(dc, k - 5, 50, k + 6, 50);
        Line(dc, k, 45, k, 56);
        Line(dc, 50, k - 5, 50, k + 6);
        Line(dc, 45, k, 56, k);
    }
    for (int x = 100; x <= 700; x += 100) {
        for (int y = 100; y <= 700; y += 100) {
            Line(dc, x - 5, y, x + 6, y);
            Line(dc, x, y - 5, x, y + 6);
        }
    }

    SelectObject(dc, GetStockObject(DC_PEN));
    SelectObject(dc, GetStockObject(DC_BRUSH));
    for (int i = 0; i <= 24; ++i) FilledBox(dc, 10 * i, 0, 10 * i + 10, 20, RGB(10 * i, 10 * i, 10 * i));
    FilledBox(dc, 260, 0, 270, 20, RGB(255, 0, 0));
    FilledBox(dc, 270, 0, 280, 20, RGB(0, 255, 0));
    FilledBox(dc, 280, 0, 290, 20, RGB(0, 0, 255));
    FilledBox(dc, 300, 0, 600, 20, RGB(0, 0, 0));

    char label[128];
    const int length = std::snprintf(label, sizeof(label), "Кадр %d Время %f Парам %1d %1d %1d ", index,
                                     slot.time, TruncateToInt(slot.paramA[0]), TruncateToInt(slot.paramA[1]),
                                     TruncateToInt(slot.paramA[2]));
    SetTextColor(dc, RGB(250, 250, 250));
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, ModuleDrawingObjects().fontSmall);
    if (length > 0)
        TextOutA(dc, 305, 3, label, length < int(sizeof(label)) ? length : int(sizeof(label)) - 1);
}

}  // namespace

void CaptureStep1(const CameraMount &mount, FrameSlot &slot, double simdt, double mjd,
                  bool &accelerationCut) {
    if ((slot.time - mjd) * 86400.0 / simdt < 3.0 && !accelerationCut) {
        const double warp = oapiGetTimeAcceleration();
        if (warp > 1.0) {
            oapiSetTimeAcceleration(warp / 10.0);
            accelerationCut = true;
        }
    }
    if (!(mjd > slot.time)) return;
    oapiSetPanel(kBarePanel);
    oapiSetHUDMode(HUD_NONE);
    oapiCameraSetAperture((slot.paramA[2] == 1.0 ? kWideAperture : kNarrowAperture) * kRad);
    PointCamera(mount, LensOffsetOf(slot), Pointing{120.0, -45.0});
    PlaceHostPoint(mount, kHostPointAside);
    slot.state = kFrameCameraSet;
}

void CaptureStep2(const CameraMount &mount, FrameSlot &slot, double mjd) {
    PointCamera(mount, LensOffsetOf(slot), PointingOf(slot));
    PlaceHostPoint(mount, kHostPointAside);
    keybd_event(kAltKey, 0, 0, 0);
    keybd_event(kPrintScreenKey, 0, 0, 0);
    keybd_event(kPrintScreenKey, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(kAltKey, 0, KEYEVENTF_KEYUP, 0);
    oapiCameraSetAperture(kNarrowAperture * kRad);
    slot.time = mjd;
    slot.state = kFramePictureRequested;
}

void CaptureStep3(const CameraMount &mount, FrameSlot &slot, int index) {
    PlaceHostPoint(mount, kHostPointHome);
    oapiSetPanel(kMainPanel);

    OpenClipboard(nullptr);
    // The clipboard keeps its bitmap: the surface is made without taking it over.
    HBITMAP grab = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    SURFHANDLE window = grab ? oapiCreateSurface(grab, false) : nullptr;
    CloseClipboard();

    if (slot.rawImage) oapiDestroySurface(slot.rawImage);
    slot.rawImage = oapiCreateSurface(kPictureSize, kPictureSize);
    HDC picture = oapiGetDC(slot.rawImage);
    if (picture) {
        if (window) {
            HDC source = oapiGetDC(window);
            if (source) {
                BitBlt(picture, 0, 0, kPictureSize, kPictureSize, source, kPictureLeft, kPictureTop, SRCCOPY);
                oapiReleaseDC(window, source);
            }
        }
        DrawOverlay(picture, slot, index);
        oapiReleaseDC(slot.rawImage, picture);
    }
    if (window) oapiDestroySurface(window);

    MakeBlankImage(slot);
    slot.scanColumn = kPictureSize;
    slot.state = kFrameOnBoard;
    slot.dropoutRun = 0;
    SeedNoiseFromClock();
}

void FillBlankImage(SURFHANDLE image) {
    HDC dc = oapiGetDC(image);
    if (!dc) return;
    SelectObject(dc, GetStockObject(DC_PEN));
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCPenColor(dc, RGB(100, 0, 0));
    SetDCBrushColor(dc, RGB(10, 0, 0));
    Rectangle(dc, 0, 0, kPictureSize, kPictureSize);
    oapiReleaseDC(image, dc);
}

void MakeBlankImage(FrameSlot &slot) {
    if (slot.image) oapiDestroySurface(slot.image);
    slot.image = oapiCreateSurface(kPictureSize, kPictureSize);
    FillBlankImage(slot.image);
}
