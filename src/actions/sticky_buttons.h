#pragma once

// Sticky mouse buttons: the first click presses the target button and leaves it down, the
// next click lets it go.

#include "platform/handles.h"
#include "settings/actions.h"
#include "support/text.h"

namespace pw {

// The state machine of sticky entry which (0 to 4: left, right, middle, first and second
// X button, also the button sent) for an event of button. change, when given, receives
// 1 when the sticky press started, 2 when it ended, else 0. Whether the event is
// swallowed.
bool Sticky(POINT pt, HWND hwnd, int button, int which, int kind, int* change);

} // namespace pw

namespace pw::actions {

// The sticky button entry an action keeps (0 to 4), or -1 for other actions.
int StickyButtonEntry(_ACTIONS action);
// The entry's name in log lines.
const Char* StickyName(int which);
// Lets the injected button of entry which go (0 to 4).
void ReleaseStickyButton(POINT pt, int which);

} // namespace pw::actions
