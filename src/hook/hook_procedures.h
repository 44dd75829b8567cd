#pragma once

// The procedures the hook and timer threads hand to the system.

#include "platform/platform.h"
#include "runtime/thread_timers.h"

namespace pw::hook {

platform::Hooks::Proc MouseHookProcedure();
platform::Hooks::Proc KeyboardHookProcedure();
// Clears the keyboard hook's table of held keys before it is installed.
void ClearKeyboardHookKeys();
// The inactivity jiggler's (hook/jiggler.cpp).
runtime::TimerProc JigglerTimerProcedure();

} // namespace pw::hook
