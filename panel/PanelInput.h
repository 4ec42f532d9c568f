// Mouse clicks on the panel areas and the keyboard keys that the panel
// handles: the MFD buttons, the terminal's capture switch, the command
// composer's fields and buttons, transmission, the detach cycle, panel
// switches and the photo panel's frame selection; keypad turning of the
// console on its attachment.
#ifndef OKUL_PANEL_PANELINPUT_H
#define OKUL_PANEL_PANELINPUT_H

#include <OrbiterAPI.h>

#include "PanelFields.h"
#include "Quaternion.h"

// What a click on an MFD's bottom button strip does.
enum class MfdBottomAction { kNone, kPower, kModeSelect, kButtonMenu };

// The button (0 to 11) of an MFD side column under a click at `my` pixels
// below the column's top; `rightColumn` adds 6. Returns -1 between buttons,
// above the first button and below the last.
int MfdSideButton(bool rightColumn, int my);

// The action of a click at `mx` pixels from the left of a bottom strip:
// power below 25, mode selection from 30 to 54, the button menu above 60.
MfdBottomAction MfdBottomButton(int mx);

// clbkPanelMouseEvent: the click on area `areaId` as its panel element says;
// true when the click was handled.
bool PanelMouseEvent(PanelFields &fields, int areaId, int event, int mx, int my);

// Keypad turning. The first held key of keypad 8, 2, 3, 1, 4, 6 turns
// `pointing` by a step that grows by 0.1 degree every frame the key is
// held (`keyStep`), about the console's own x (8, 2), y (3, 1) or z (4, 6)
// axis, and is cleared from `keyState` so the simulator does not act on it.
// With none held `keyStep` falls back to 0.
void TurnByKeypad(Quaternion &pointing, double &keyStep, char *keyState);

// clbkConsumeDirectKey: opens a requested input box, then turns the
// console by the keypad. Always 0.
int PanelDirectKey(PanelFields &fields, char *keyState);

// clbkConsumeBufferedKey: the terminal first; then keypad 5 resets the
// pointing and keypad 0 sends it to the host spacecraft (1 for both, on
// press and release alike); 0 for other keys.
int PanelBufferedKey(PanelFields &fields, DWORD key, bool down, char *keyState);

#endif  // OKUL_PANEL_PANELINPUT_H
