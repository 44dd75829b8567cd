#pragma once

// The procedures the hook and timer threads hand to the system. The keyboard hook and
// the inactivity jiggler are not built yet: their procedures are null, so the hook
// thread installs only the mouse hook and the settings reload starts no jiggler timer.
// Each comes in here, and nowhere else, once it exists.

#include "platform/platform.h"
#include "runtime/thread_timers.h"

namespace pw::hook {

platform::Hooks::Proc MouseHookProcedure();
// Null while there is no keyboard hook procedure.
platform::Hooks::Proc KeyboardHookProcedure();
// Clears the keyboard hook's table of held keys before it is installed.
void ClearKeyboardHookKeys();
// Null while there is no jiggler.
runtime::TimerProc JigglerTimerProcedure();

} // namespace pw::hook
