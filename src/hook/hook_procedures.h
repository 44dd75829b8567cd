#pragma once

// The procedures the hook and timer threads hand to the system. The keyboard hook is not
// built yet: its procedure is null, so the hook thread installs only the mouse hook. It
// comes in here, and nowhere else, once it exists.

#include "platform/platform.h"
#include "runtime/thread_timers.h"

namespace pw::hook {

platform::Hooks::Proc MouseHookProcedure();
// Null while there is no keyboard hook procedure.
platform::Hooks::Proc KeyboardHookProcedure();
// Clears the keyboard hook's table of held keys before it is installed.
void ClearKeyboardHookKeys();
// The inactivity jiggler's (hook/jiggler.cpp).
runtime::TimerProc JigglerTimerProcedure();

} // namespace pw::hook
