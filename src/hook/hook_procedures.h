#pragma once

// The procedures the hook and timer threads hand to the system. The inactivity jiggler is
// not built yet: its procedure is null, so the settings reload starts no jiggler timer.
// It comes in here, and nowhere else, once it exists.

#include "platform/platform.h"
#include "runtime/thread_timers.h"

namespace pw::hook {

platform::Hooks::Proc MouseHookProcedure();
platform::Hooks::Proc KeyboardHookProcedure();
// Clears the keyboard hook's table of held keys before it is installed.
void ClearKeyboardHookKeys();
// Null while there is no jiggler.
runtime::TimerProc JigglerTimerProcedure();

} // namespace pw::hook
