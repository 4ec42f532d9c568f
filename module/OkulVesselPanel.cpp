// The console vessel's panel and keyboard callbacks: they hand each event to
// the panel code with the vessel fields it works on.
#include "DrawingObjects.h"
#include "OkulVessel.h"
#include "PanelDrawing.h"
#include "PanelFields.h"
#include "PanelInput.h"
#include "PanelLayout.h"

namespace {

PanelFields FieldsOf(OkulVessel &vessel) {
    return PanelFields{vessel.terminal,
                       vessel.composer,
                       vessel.pointing,
                       vessel.keyStep,
                       vessel.axisZ,
                       vessel.axisX,
                       vessel.attachTimer,
                       vessel.hostProgram,
                       vessel.hostMode,
                       vessel.hostValueA,
                       vessel.hostValueB,
                       vessel.linking,
                       vessel.transmissionEstimate,
                       vessel.lightTime,
                       vessel.relayAngle,
                       vessel.targetVisible,
                       vessel.configuration,
                       vessel.restartRequested};
}

}  // namespace

bool OkulVessel::clbkLoadPanel(int id) { return LoadPanel(ModuleDrawingObjects().moduleInstance, id); }

void OkulVessel::clbkMFDMode(int mfd, int mode) {
    int leftArea, rightArea;
    if (!MfdLabelAreas(mfd, leftArea, rightArea)) return;
    oapiTriggerRedrawArea(kMainPanel, 0, leftArea);
    oapiTriggerRedrawArea(kMainPanel, 0, rightArea);
}

bool OkulVessel::clbkPanelMouseEvent(int id, int event, int mx, int my) {
    PanelFields fields = FieldsOf(*this);
    return PanelMouseEvent(fields, id, event, mx, my);
}

bool OkulVessel::clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf) {
    PanelFields fields = FieldsOf(*this);
    return PanelRedrawEvent(fields, id, event, surf);
}

int OkulVessel::clbkConsumeDirectKey(char *kstate) {
    PanelFields fields = FieldsOf(*this);
    return PanelDirectKey(fields, kstate);
}

int OkulVessel::clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) {
    PanelFields fields = FieldsOf(*this);
    return PanelBufferedKey(fields, key, down, kstate);
}
