#pragma once

// The hook thread: creates the send-input and system-parameter threads, chooses the
// English layout, installs the hooks and runs the message loop that calls the hook
// procedures, until "VESK_ResetHook" with kWpQuit (or the quit message) ends it.

#include "support/message_thread.h"
#include "support/text.h"

namespace pw::hook {

// The work of the hook thread (HookThread, hook_lifecycle.h).
MessageThread::Handler& HookThreadWork();

// Posts "VESKMainWindow" to the main program's window, when it set one, to tell it that
// the hook state changed; lockName names the read of the window under the global lock.
void NotifyMainWindow(const Char* lockName);

} // namespace pw::hook
