#pragma once

// The timer thread: owns every thread timer of the library. Other threads ask it for
// timers with "VESK_SetTimer" and "VESK_KillTimer"; "VESK_ResetHook" with kWpQuit (or
// the quit message) ends it, stopping its timers.

#include "hook/library_thread.h"

namespace pw::hook {

// The thread's body: exit code 1 after a normal end, 0 after a message-queue error.
unsigned long TimerThreadProc(LibraryThread::StartSignal& start);

} // namespace pw::hook
