#include "PanelInput.h"
#include "InterfaceConstants.h"

#include "CommandTransmission.h"
#include "PanelElements.h"
#include "PanelLayout.h"

namespace {

// Side buttons: the first button's top lies 45 pixels below the column's
// top, buttons are 25 pixels high and 42 apart, six to a column.
const int kFirstButtonTop = 45;
const int kButtonPitch = 42;
const int kButtonHeight = 25;
const int kButtonsPerColumn = 6;

const DWORD kModeSelectKey = OAPI_KEY_F1;     // 0x3B
const DWORD kButtonMenuKey = OAPI_KEY_GRAVE;  // 0x29

const int kLastSelectableFrame = 30;
const double kKeyStepGrowth = 0.1;  // degrees per frame

struct TurningKey {
    int key;
    VECTOR3 axis;
    double sign;
};

// In the order they are looked for: only the first held one acts.
const TurningKey kTurningKeys[] = {
    {OAPI_KEY_NUMPAD8, {{1.0, 0.0, 0.0}}, 1.0}, {OAPI_KEY_NUMPAD2, {{1.0, 0.0, 0.0}}, -1.0},
    {OAPI_KEY_NUMPAD3, {{0.0, 1.0, 0.0}}, 1.0}, {OAPI_KEY_NUMPAD1, {{0.0, 1.0, 0.0}}, -1.0},
    {OAPI_KEY_NUMPAD4, {{0.0, 0.0, 1.0}}, 1.0}, {OAPI_KEY_NUMPAD6, {{0.0, 0.0, 1.0}}, -1.0},
};

// The console's own pointing command to the host: stored line 15, code 1.
const int kPointingCommandLine = 15;
const int kPointingCommandCode = 1;

void MfdBottomClick(int mfd, int mx) {
    switch (MfdBottomButton(mx)) {
        case MfdBottomAction::kPower:
            oapiToggleMFD_on(mfd);
            break;
        case MfdBottomAction::kModeSelect:
            oapiSendMFDKey(mfd, kModeSelectKey);
            break;
        case MfdBottomAction::kButtonMenu:
            oapiSendMFDKey(mfd, kButtonMenuKey);
            break;
        case MfdBottomAction::kNone:
            break;
    }
}

bool MfdSideClick(int mfd, bool rightColumn, int event, int my) {
    const int button = MfdSideButton(rightColumn, my);
    if (button < 0) return false;
    // The event goes on unchanged, so that a held button repeats.
    oapiProcessMFDButton(mfd, button, event);
    return true;
}

}  // namespace

int MfdSideButton(bool rightColumn, int my) {
    const int y = my - kFirstButtonTop;
    // Above the first button: C++ division would make -41..-1 button 0 and
    // further up button -1, which the simulator must never be given.
    if (y < 0) return -1;
    if (y % kButtonPitch >= kButtonHeight) return -1;  // between two buttons
    const int row = y / kButtonPitch;
    // Below the sixth button (the column's last three pixels) lies no button
    // of this column either.
    if (row >= kButtonsPerColumn) return -1;
    return rightColumn ? row + kButtonsPerColumn : row;
}

MfdBottomAction MfdBottomButton(int mx) {
    if (mx < 25) return MfdBottomAction::kPower;
    if (mx >= 30 && mx <= 54) return MfdBottomAction::kModeSelect;
    if (mx > 60) return MfdBottomAction::kButtonMenu;
    return MfdBottomAction::kNone;
}

bool PanelMouseEvent(PanelFields &fields, int areaId, int event, int mx, int my) {
    const PanelElement *element = FindPanelElement(areaId);
    if (!element) return false;
    FrameTable &frames = fields.terminal.frameTable;
    switch (element->click) {
        case kClickIgnored:
            return false;
        case kClickMfdLeftButton:
            return MfdSideClick(element->mfd, false, event, my);
        case kClickMfdRightButton:
            return MfdSideClick(element->mfd, true, event, my);
        case kClickMfdBottomButton:
            MfdBottomClick(element->mfd, mx);
            return true;
        case kClickCaptureKeys:
            fields.terminal.captureKeys = !fields.terminal.captureKeys;
            return true;
        case kClickComposerField:
            fields.composer.RequestInput(areaId);
            return true;
        case kClickTakePointing:
            fields.composer.TakePointing(fields.axisZ, fields.axisX);
            return true;
        case kClickEmitRecord:
            fields.composer.EmitRecord(fields.terminal);
            return true;
        case kClickComputeTime:
            fields.composer.ComputeTime();
            return true;
        case kClickTransmit:
            Transmit(fields);
            return true;
        case kClickConsumed:
            return true;
        case kClickDetach:
            fields.attachTimer = kAttachRequest;
            return true;
        case kClickResetFields:
            fields.composer.Reset(0);
            return true;
        case kClickResetOffset:
            fields.composer.Reset(1);
            return true;
        case kClickPhotoPanel:
            oapiSetPanel(kPhotoPanel);
            return true;
        case kClickNextFrame:
            if (frames.selectedFrame < kLastSelectableFrame) ++frames.selectedFrame;
            return true;
        case kClickPreviousFrame:
            if (frames.selectedFrame > 0) --frames.selectedFrame;
            return true;
        case kClickMainPanel:
            oapiSetPanel(kMainPanel);
            return true;
    }
    return false;
}

void TurnByKeypad(Quaternion &pointing, double &keyStep, char *keyState) {
    if (keyState) {
        for (const TurningKey &turning : kTurningKeys) {
            if (!KEYDOWN(keyState, turning.key)) continue;
            keyStep += kKeyStepGrowth;
            const Quaternion step(turning.sign * keyStep * kRad, turning.axis);
            // The step is applied in the console's own axes.
            pointing = pointing * step;
            RESETKEY(keyState, turning.key);
            return;
        }
    }
    keyStep = 0.0;
}

int PanelDirectKey(PanelFields &fields, char *keyState) {
    // The input box is opened here rather than in the mouse callback.
    if (fields.composer.inputPending) fields.composer.OpenInput(fields.composer.pendingField);
    TurnByKeypad(fields.pointing, fields.keyStep, keyState);
    return 0;
}

int PanelBufferedKey(PanelFields &fields, DWORD key, bool down, char *keyState) {
    if (fields.terminal.ConsumeBufferedKey(key, down)) return 1;
    switch (key) {
        case OAPI_KEY_NUMPAD5:
            fields.pointing = Quaternion();
            return 1;
        case OAPI_KEY_NUMPAD0:
            if (fields.hostProgram)
                fields.hostProgram->ExecuteCommand(kPointingCommandLine, kPointingCommandCode, 0.0,
                                                   fields.axisZ, fields.axisX, _V(0.0, 0.0, 0.0));
            return 1;
        default:
            return 0;
    }
}
