#pragma once

// Following the cursor into another window: the mouse hook restarts the mouse-over timer
// on every movement; once the cursor rests, its procedure checks the window under the
// cursor (its quarter and caption too) and switches the profile, and, when the settings
// ask for it, arms the activation timer for that window.

#include "platform/handles.h"

#include <cstdint>

namespace pw {

// The mouse-over timer's procedure (timer kind 0x1015), on the timer thread.
void ProcessMouseOverTimerProc(HWND window, unsigned message, uintptr_t id, unsigned long time);
// The mouse-over check at pt; false only when there is no window under pt.
bool ProcessMouseOver(POINT pt);
// The activation timer's procedure (timer kind 0x1013): activates the window under the
// cursor unless it is part of the taskbar.
void ActivateWindowTimerProc(HWND window, unsigned message, uintptr_t id, unsigned long time);

} // namespace pw
