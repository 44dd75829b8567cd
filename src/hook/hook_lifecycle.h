#pragma once

// The lifecycle of the hook and timer threads behind SetMouseHook and RemoveMouseHook.

#include "support/message_thread.h"

namespace pw::hook {

// The hook thread and the timer thread. Each ends with exit code 1 after a normal end,
// 0 after a message-queue error.
MessageThread& HookThread();
MessageThread& TimerThread();

// Asks both threads to end and waits up to 5000 ms for each (a thread that does not end
// is terminated where the platform can); with resetDefaults puts back the system's
// button swap and wheel lines. False when neither thread was running.
bool EndHookThread(bool resetDefaults);
// For the end of the process, when the system has already ended the library's threads:
// lets go of them without waiting.
void ForgetHookThreads();

} // namespace pw::hook
