#pragma once

// The window a wheel event goes to: the cached evaluation of the window under the event's
// point, and activation of that window when the settings ask for it.

#include "platform/handles.h"

namespace pw {

// Refreshes the wheel target cache for the event's point; true when a profile applies.
bool UpdateWheelTarget(const MSLLHOOKSTRUCT* record);
// Activation on scroll of window (the window under the cursor), whose messages go to
// target, while foreground is in front.
void ActivateWindowUnderCursor(HWND foreground, HWND target, HWND window);

} // namespace pw
