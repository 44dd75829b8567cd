#pragma once

// Switching the profile (and activating the window) when the cursor rests over another
// window: the mouse hook stores the point and restarts the mouse-over timer on each
// movement; the timer checks the window under that point once the cursor stops.

#include "platform/handles.h"

#include <cstdint>

// Milliseconds the cursor must rest before the check runs.
inline constexpr unsigned kMouseOverDelayMs = 150;

// The cursor point of the last movement that restarted the timer.
extern POINT g_ptMouseOver;

namespace pw {

// The mouse-over timer's procedure (timer kind 0x1015).
void ProcessMouseOverTimerProc(HWND window, unsigned message, uintptr_t id, unsigned long time);

} // namespace pw
