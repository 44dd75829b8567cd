#pragma once

// Ending sticky buttons, sticky key sets and the key-repeat state.

#include "platform/handles.h"
#include "settings/mouse_buttons.h"

namespace pw {

// Ends sticky entry which (0 to 4 the mouse buttons, 5 the key repeat, up to 7);
// button -1 means every button.
void ResetSticky(POINT pt, int which, int layer, int button);
// ResetSticky for every entry on the current layer.
void ResetAllSticky(POINT pt);
// Ends the sticky states that belong to other buttons' actions.
void ResetOtherSticky(POINT pt, int button, bool keepScroll);
// Releases every key set held while its button is down, on the current layer.
void ResetDuringKeys(POINT pt);
// Whether any sticky button or sticky key set is active.
bool AnyStickyActive();

} // namespace pw

class CActionData;
class CApplicationSettings;

namespace pw::actions {

// Send mode "(sticky repeat)": the first press plays the keys and starts their repeat,
// the next press of the same button stops it; a press of another such button takes the
// running repeat over. Returns whether the mouse event is blocked.
bool StickyRepeatKeys(POINT pt, int button, int kind, const CActionData& data,
                      CApplicationSettings* profile, int layer);
// Send mode "(sticky hold)": the first click presses the keys and they stay down; the
// next click's release lets them go. Returns whether the mouse event is blocked.
bool StickyHoldKeys(POINT pt, int button, int kind, const CActionData& data,
                    CApplicationSettings* profile, int layer);
// Lets go of the sticky keys kept in slot (button, layer) of profile; true when some were.
bool LetGoOfStuckKeys(CApplicationSettings& profile, MouseButtons button, int layer, POINT pt);
// Lets go of the keys the last sticky hold pressed, wherever they are kept; true when some
// were held.
bool ReleaseStickyHoldKeys(POINT pt);
// Forgets where the last sticky hold keeps its keys, as at load.
void ForgetStickyHold();

} // namespace pw::actions
