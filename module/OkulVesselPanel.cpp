// The console vessel's panel and keyboard callbacks: they hand each event to
// the panel code with the vessel fields it works on.
#include "DrawingObjects.h"
#include "OkulVessel.h"
#include "PanelLayout.h"

bool OkulVessel::clbkLoadPanel(int id) { return LoadPanel(ModuleDrawingObjects().moduleInstance, id); }

void OkulVessel::clbkMFDMode(int mfd, int mode) {
    int leftArea, rightArea;
    if (!MfdLabelAreas(mfd, leftArea, rightArea)) return;
    oapiTriggerRedrawArea(kMainPanel, 0, leftArea);
    oapiTriggerRedrawArea(kMainPanel, 0, rightArea);
}

bool OkulVessel::clbkPanelMouseEvent(int id, int event, int mx, int my) {
    if (id == kAreaTerminal) {
        terminal.captureKeys = !terminal.captureKeys;
        return true;
    }
    return false;
}

bool OkulVessel::clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf) {
    if (id == kAreaTerminal) {
        terminal.Draw(surf);
        return true;
    }
    return false;
}

int OkulVessel::clbkConsumeDirectKey(char *kstate) { return 0; }

int OkulVessel::clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) {
    return terminal.ConsumeBufferedKey(key, down);
}
