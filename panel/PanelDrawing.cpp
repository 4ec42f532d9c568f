#include "PanelDrawing.h"

#include "ClockDisplay.h"
#include "HostStatusDisplay.h"
#include "MfdButtonLabels.h"
#include "PanelDc.h"
#include "PanelLayout.h"
#include "PhotoView.h"

namespace {

const int kTextLeft = 3;
const int kTextTop = 3;

bool IsRightColumn(int areaId) { return areaId == 1 || areaId == 4 || areaId == 7; }

void DrawComposerField(SURFHANDLE surface, const CommandComposer &composer, int areaId) {
    PanelDc panel(surface);
    panel.Text(kTextLeft, kTextTop, composer.FieldText(areaId));
}

}  // namespace

void DrawReadout(SURFHANDLE surface, const PanelFields &fields, int areaId) {
    double value = 0.0;
    switch (areaId) {
        case kAreaRelayAngle:
            value = fields.relayAngle * DEG;
            if (!fields.targetVisible) value = -value;
            break;
        case kAreaTransmissionEstimate:
            value = fields.transmissionEstimate;
            break;
        case kAreaLightTime:
            value = fields.lightTime;
            break;
        default:
            return;
    }
    PanelDc panel(surface);
    panel.FormattedText(kTextLeft, kTextTop, "%.1f", value);
}

bool PanelRedrawEvent(PanelFields &fields, int areaId, int event, SURFHANDLE surface) {
    switch (areaId) {
        case 0:
        case 1:
        case 3:
        case 4:
        case 6:
        case 7:
            DrawMfdButtonLabels(surface, areaId / 3, IsRightColumn(areaId) ? 1 : 0);
            return true;
        case 2:
        case 5:
        case 8:
            DrawMfdBottomButtons(surface);
            return true;
        case kAreaTerminal:
            fields.terminal.Draw(surface);
            return true;
        case kAreaRelayAngle:
        case kAreaTransmissionEstimate:
        case kAreaLightTime:
            DrawReadout(surface, fields, areaId);
            return true;
        case kAreaHostStatus:
            DrawHostStatus(surface, fields);
            return true;
        case kAreaClocks:
            DrawClocks(surface, ReadSimulatorClocks());
            return true;
        case kAreaPhotoView:
            DrawPhotoView(surface, fields.terminal.frameTable, fields.terminal.frameTable.selectedFrame);
            return true;
        default:
            break;
    }
    if (areaId >= kAreaFieldCode && areaId <= kAreaFieldTimeOffset) {
        DrawComposerField(surface, fields.composer, areaId);
        return true;
    }
    return false;
}
