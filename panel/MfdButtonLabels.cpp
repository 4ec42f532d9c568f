#include "MfdButtonLabels.h"

#include "PanelDc.h"

namespace {

const int kButtonsPerColumn = 6;
const int kFirstKeyTop = 35;
const int kKeyPitch = 42;
const int kKeyLeft = 1;
const int kKeyRight = 18;
const int kKeyHeight = 35;
const int kLabelCentre = 9;
const int kCharacterSpacing = 10;
// The simulator's labels have 1 to 3 characters; a longer one is drawn the
// same way (growing above and below the key's middle), but no further than
// this many characters are ever read.
const int kMaxLabelLength = 16;

struct BottomKey {
    int centre;
    const char *label;
};
const BottomKey kBottomKeys[] = {{12, "Вкл"}, {42, "ВО"}, {72, "ВЛ"}};
const int kBottomKeyPitch = 30;

}  // namespace

void DrawButtonLabelColumn(SURFHANDLE surface, const char *const labels[6]) {
    PanelDc panel(surface);
    if (!panel) return;
    SetTextAlign(panel.dc(), TA_CENTER | TA_TOP);
    for (int row = 0; row < kButtonsPerColumn; ++row) {
        const int top = kFirstKeyTop + kKeyPitch * row;
        Rectangle(panel.dc(), kKeyLeft, top, kKeyRight, top + kKeyHeight);
        const char *label = labels ? labels[row] : nullptr;
        if (!label) continue;
        int length = 0;
        while (length < kMaxLabelLength && label[length]) ++length;
        for (int i = 0; i < length; ++i)
            TextOutA(panel.dc(), kLabelCentre, top + 15 + kCharacterSpacing * i - 5 * length, label + i, 1);
    }
}

void DrawMfdButtonLabels(SURFHANDLE surface, int mfd, int column) {
    const char *labels[kButtonsPerColumn];
    for (int row = 0; row < kButtonsPerColumn; ++row)
        labels[row] = oapiMFDButtonLabel(mfd, column * kButtonsPerColumn + row);
    DrawButtonLabelColumn(surface, labels);
}

void DrawMfdBottomButtons(SURFHANDLE surface) {
    PanelDc panel(surface);
    if (!panel) return;
    SetTextAlign(panel.dc(), TA_CENTER | TA_TOP);
    for (int i = 0; i < 3; ++i) {
        Rectangle(panel.dc(), kBottomKeyPitch * i + 1, 1, kBottomKeyPitch * i + 25, 30);
        panel.Text(kBottomKeys[i].centre, 1, kBottomKeys[i].label);
    }
}
