#include "PhotoView.h"

#include "PanelDc.h"
#include "VectorMath.h"

namespace {

const int kPictureSize = 800;
const COLORREF kMarkColour = RGB(255, 0, 0);
const COLORREF kCaptionColour = RGB(0, 0, 250);
const int kCaptionLeft = 3;
const int kCaptionTop = 3;

struct Mark {
    double label;
    int x;
    int y;
};

// A set of marks: squares of half-size `halfSize` centred on each mark, the
// label at (x + labelOffset, y - labelOffset).
struct MarkSet {
    int halfSize;
    int labelOffset;
    const Mark *marks;
    int count;
};

const Mark kMarksA[] = {{0, 400, 718},   {10, 288, 723}, {-10, 512, 723}, {20, 170, 742},
                        {-20, 630, 742}, {30, 44, 770},  {-30, 756, 770}};
const Mark kMarksB[] = {{0, 400, 460},  {10, 279, 465},  {-10, 521, 465},
                        {20, 145, 470}, {-20, 655, 470}, {0, 400, 369}};
const Mark kMarksC[] = {{40, 439, 727}, {50, 324, 732}, {30, 552, 729}, {60, 208, 749},
                        {20, 677, 747}, {70, 82, 782},  {10, 799, 776}};
const Mark kMarksD[] = {{-40, 368, 727}, {-30, 256, 729}, {-50, 480, 732}, {-20, 131, 747},
                        {-60, 596, 749}, {-10, 1, 782},   {-70, 733, 782}};

const MarkSet kSetA = {2, 3, kMarksA, sizeof(kMarksA) / sizeof(kMarksA[0])};
const MarkSet kSetB = {3, 4, kMarksB, sizeof(kMarksB) / sizeof(kMarksB[0])};
const MarkSet kSetC = {2, 3, kMarksC, sizeof(kMarksC) / sizeof(kMarksC[0])};
const MarkSet kSetD = {2, 3, kMarksD, sizeof(kMarksD) / sizeof(kMarksD[0])};

void DrawMarks(const PanelDc &panel, const MarkSet &set) {
    for (int i = 0; i < set.count; ++i) {
        const Mark &mark = set.marks[i];
        Rectangle(panel.dc(), mark.x - set.halfSize, mark.y - set.halfSize, mark.x + set.halfSize,
                  mark.y + set.halfSize);
        panel.FormattedText(mark.x + set.labelOffset, mark.y - set.labelOffset, "%.0f", mark.label);
    }
}

void DrawPicture(const PanelDc &panel, const FrameSlot &slot) {
    // A frame whose picture was never made has nothing to copy.
    if (slot.image) {
        HDC picture = oapiGetDC(slot.image);
        if (picture) {
            BitBlt(panel.dc(), 0, 0, kPictureSize, kPictureSize, picture, 0, 0, SRCCOPY);
            oapiReleaseDC(slot.image, picture);
        }
    }
    SelectObject(panel.dc(), GetStockObject(DC_PEN));
    SelectObject(panel.dc(), GetStockObject(DC_BRUSH));
    SetDCPenColor(panel.dc(), kMarkColour);
    SetDCBrushColor(panel.dc(), kMarkColour);
    SetTextColor(panel.dc(), kCaptionColour);
    const double choice = slot.paramA[0];
    if (choice == 0.0) {
        DrawMarks(panel, kSetA);
        DrawMarks(panel, kSetB);
    } else if (choice == 1.0) {
        DrawMarks(panel, kSetC);
    } else if (choice == 2.0) {
        DrawMarks(panel, kSetD);
    }
}

}  // namespace

void DrawPhotoView(SURFHANDLE surface, const FrameTable &frames, int frameNumber) {
    if (frameNumber < 0 || frameNumber >= FrameTable::kSlotCount) return;
    const FrameSlot &slot = frames.slots[frameNumber];
    PanelDc panel(surface);
    if (!panel) return;
    if (slot.state >= kFrameTransmitting) {
        DrawPicture(panel, slot);
    } else if (slot.state >= kFrameScheduled) {
        SetTextColor(panel.dc(), kCaptionColour);
        panel.FormattedText(kCaptionLeft, kCaptionTop, "Кадр %d Время %f Парам %1d %1d %1d Стат %1d",
                            frameNumber, slot.time, TruncateToInt(slot.paramA[0]),
                            TruncateToInt(slot.paramA[1]), TruncateToInt(slot.paramA[2]), slot.state);
    } else if (slot.state == kFrameEmpty) {
        SetTextColor(panel.dc(), kCaptionColour);
        panel.FormattedText(kCaptionLeft, kCaptionTop, "Кадр %d пустой", frameNumber);
    }
}
