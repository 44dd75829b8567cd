#pragma once

// The timer that reinstalls the hooks a while after a program known to break them was
// first seen (timer kind kResetHookTimer).

#include "platform/handles.h"

#include <cstdint>

namespace pw {

// Stops its timer and asks the hook thread to reinstall both hooks.
void ResetHookTimerProc(HWND window, unsigned message, uintptr_t id, unsigned long time);

} // namespace pw
