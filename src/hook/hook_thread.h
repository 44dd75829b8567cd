#pragma once

// The hook thread: creates the send-input and system-parameter threads, chooses the
// English layout, installs the hooks and runs the message loop that calls the hook
// procedures, until "VESK_ResetHook" with kWpQuit (or the quit message) ends it.

#include "hook/library_thread.h"

namespace pw::hook {

// The thread's body: exit code 1 after a normal end, 0 after a message-queue error.
unsigned long HookThreadProc(LibraryThread::StartSignal& start);

} // namespace pw::hook
