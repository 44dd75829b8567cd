#pragma once

// The timer thread: owns every thread timer of the library. Other threads ask it for
// timers with "VESK_SetTimer" and "VESK_KillTimer"; "VESK_ResetHook" with kWpQuit (or
// the quit message) ends it, stopping its timers.

#include "support/message_thread.h"

namespace pw::hook {

// The work of the timer thread (TimerThread, hook_lifecycle.h).
MessageThread::Handler& TimerThreadWork();

} // namespace pw::hook
