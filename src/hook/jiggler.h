#pragma once

// The inactivity jiggler: while the user has been active within the configured limit,
// a (0, 0) mouse movement every check keeps the system from going idle (screen saver,
// sleep, away status); after the limit it stops until the next real mouse event.

#include "platform/handles.h"

#include <cstdint>

namespace pw {

// The timer procedure of the jiggler timer kind, on the timer thread.
void JigglerTimerProc(HWND window, unsigned message, uintptr_t id, unsigned long time);

} // namespace pw
