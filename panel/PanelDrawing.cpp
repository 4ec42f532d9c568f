#include "PanelDrawing.h"
#include "InterfaceConstants.h"

#include "ClockDisplay.h"
#include "HostStatusDisplay.h"
#include "MfdButtonLabels.h"
#include "PanelDc.h"
#include "PanelElements.h"
#include "PhotoView.h"

namespace {

const int kTextLeft = 3;
const int kTextTop = 3;

void DrawComposerField(SURFHANDLE surface, const CommandComposer &composer, int areaId) {
    PanelDc panel(surface);
    panel.Text(kTextLeft, kTextTop, composer.FieldText(areaId));
}

void DrawReadout(SURFHANDLE surface, double value) {
    PanelDc panel(surface);
    panel.FormattedText(kTextLeft, kTextTop, "%.1f", value);
}

}  // namespace

bool PanelRedrawEvent(PanelFields &fields, int areaId, int event, SURFHANDLE surface) {
    const PanelElement *element = FindPanelElement(areaId);
    if (!element) return false;
    switch (element->drawing) {
        case kDrawNothing:
            return false;
        case kDrawMfdLeftLabels:
            DrawMfdButtonLabels(surface, element->mfd, 0);
            return true;
        case kDrawMfdRightLabels:
            DrawMfdButtonLabels(surface, element->mfd, 1);
            return true;
        case kDrawMfdBottomButtons:
            DrawMfdBottomButtons(surface);
            return true;
        case kDrawTerminal:
            fields.terminal.Draw(surface);
            return true;
        case kDrawComposerField:
            DrawComposerField(surface, fields.composer, areaId);
            return true;
        case kDrawRelayAngle:
            // Negative while the target is not visible.
            DrawReadout(surface,
                        fields.targetVisible ? fields.relayAngle * kDeg : -(fields.relayAngle * kDeg));
            return true;
        case kDrawTransmissionEstimate:
            DrawReadout(surface, fields.transmissionEstimate);
            return true;
        case kDrawLightTime:
            DrawReadout(surface, fields.lightTime);
            return true;
        case kDrawHostStatus:
            DrawHostStatus(surface, fields);
            return true;
        case kDrawClocks:
            DrawClocks(surface, ReadSimulatorClocks());
            return true;
        case kDrawPhotoView:
            DrawPhotoView(surface, fields.terminal.frameTable, fields.terminal.frameTable.selectedFrame);
            return true;
    }
    return false;
}
