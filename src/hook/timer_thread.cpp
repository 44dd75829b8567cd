#include "hook/timer_thread.h"

#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "support/exception_handler.h"
#include "support/logger.h"
#include "support/thread_lock.h"

namespace pw::hook {

namespace {

void PublishId(unsigned long id) {
    CThreadLock lock(L"TimerThread");
    g_dwTimerThreadId = id;
}

// False when the queue failed.
bool RunMessageLoop() {
    platform::Messages& messages = platform::GetMessages();
    const runtime::RegisteredMessages& ids = runtime::Messages();
    platform::Messages::ThreadMessage message;
    for (;;) {
        const int got = messages.GetMessage(message);
        if (got < 0) {
            CLogger::LogOSMessage(platform::GetDiagnostics().LastError(),
                                  L"TimerThread: Error in timer thread message queue.");
            return false;
        }
        if (got == 0)
            return true;
        if (message.message == ids.resetHook) {
            if (message.wParam == runtime::kWpQuit)
                return true;
        } else if (message.message == ids.killTimer) {
            runtime::StopRequestedTimer(message.wParam);
        } else if (message.message == ids.setTimer) {
            runtime::StartRequestedTimer(message.wParam, static_cast<unsigned>(message.lParam));
        } else if (message.message == platform::kWmTimer) {
            // Only the system's dispatch may call a timer's procedure.
            messages.DispatchThreadMessage(message);
        }
    }
}

} // namespace

unsigned long TimerThreadProc(LibraryThread::StartSignal& start) {
    ExceptionHandlerInstaller crashHandler;
    try {
        platform::Messages& messages = platform::GetMessages();
        platform::Threads& threads = platform::GetThreads();
        messages.CreateThreadQueue();
        const unsigned long self = messages.CurrentThreadId();
        PublishId(self);
        threads.NameThread(self, "VESK Timer Thread");
        threads.SetCurrentThreadPriority(platform::Threads::kPriorityAboveNormal);
        start.Started();

        const bool clean = RunMessageLoop();
        // Thread timers can only be stopped by the thread that owns them.
        KillTimerThreadTimers();
        PublishId(0);
        return clean ? 1 : 0;
    } catch (...) {
        pw::handle_exception(L"TimerThread");
    }
}

} // namespace pw::hook
