// The oapi functions for panels, MFDs and input boxes: they act on the
// cockpit of the current simulation; without one they do nothing.
#include <OrbiterAPI.h>

#include "cockpit/Cockpit.h"
#include "core/Simulation.h"

namespace {

sim::Cockpit *cockpit() {
    sim::Simulation *simulation = sim::Simulation::current();
    return simulation != nullptr ? &simulation->cockpit() : nullptr;
}

}  // namespace

// ---- panels ---------------------------------------------------------------
void oapiRegisterPanelBackground(HBITMAP hBmp, DWORD flag, DWORD ck) {
    if (sim::Cockpit *c = cockpit()) c->registerPanelBackground(hBmp, flag, ck);
}

void oapiRegisterPanelArea(int id, const RECT &pos, int draw_event, int mouse_event, int bkmode) {
    if (sim::Cockpit *c = cockpit()) c->registerPanelArea(id, pos, draw_event, mouse_event, bkmode);
}

void oapiRegisterMFD(int mfd, const MFDSPEC &spec) {
    if (sim::Cockpit *c = cockpit()) c->registerMfd(mfd, spec);
}

void oapiSetPanelNeighbours(int left, int right, int top, int bottom) {
    if (sim::Cockpit *c = cockpit()) c->setPanelNeighbours(left, right, top, bottom);
}

void oapiTriggerPanelRedrawArea(int panel_id, int area_id) {
    if (sim::Cockpit *c = cockpit()) c->triggerRedraw(panel_id, area_id);
}

// Only 2D panels are simulated: vc_id is not used.
void oapiTriggerRedrawArea(int panel_id, int vc_id, int area_id) {
    if (sim::Cockpit *c = cockpit()) c->triggerRedraw(panel_id, area_id);
}

int oapiSetPanel(int panel_id) {
    sim::Cockpit *c = cockpit();
    return c != nullptr ? c->showPanel(panel_id) : -1;
}

// ---- MFDs -----------------------------------------------------------------
bool oapiProcessMFDButton(int mfd, int bt, int event) {
    sim::Cockpit *c = cockpit();
    return c != nullptr && c->processMfdButton(mfd, bt, event);
}

int oapiSendMFDKey(int mfd, DWORD key) {
    sim::Cockpit *c = cockpit();
    return c != nullptr ? c->sendMfdKey(mfd, key) : 0;
}

void oapiToggleMFD_on(int mfd) {
    if (sim::Cockpit *c = cockpit()) c->toggleMfdPower(mfd);
}

const char *oapiMFDButtonLabel(int mfd, int bt) {
    sim::Cockpit *c = cockpit();
    return c != nullptr ? c->mfdButtonLabel(mfd, bt) : nullptr;
}

void oapiOpenMFD(int mode, int mfd) {
    if (sim::Cockpit *c = cockpit()) c->openMfd(mode, mfd);
}

int oapiGetMFDMode(int mfd) {
    sim::Cockpit *c = cockpit();
    return c != nullptr ? c->mfdMode(mfd) : MFD_NONE;
}

// ---- input box ------------------------------------------------------------
void oapiOpenInputBox(char *title, bool (*Clbk)(void *, char *, void *), char *buf, int vislen,
                      void *usrdata) {
    if (sim::Cockpit *c = cockpit()) c->openInputBox(title, Clbk, buf, vislen, usrdata);
}
