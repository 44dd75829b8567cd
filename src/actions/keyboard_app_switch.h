#pragma once

// Following the keyboard into another application: after Alt is released the keyboard
// hook arms the key-switch timer, whose procedure checks the window in front, so that
// Alt+Tab and similar switches change the profile before the next click.

#include "platform/handles.h"

#include <cstdint>

namespace pw {

// The key-switch timer's procedure (timer kind 0x1010), on the timer thread.
void KeySwitchTimerProc(HWND window, unsigned message, uintptr_t id, unsigned long time);
// Makes the profile of the focused window current; true when the profile changed.
// The caller holds the global lock.
bool CheckKeyboardAppSwitch();

} // namespace pw
