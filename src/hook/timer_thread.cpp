#include "hook/timer_thread.h"

#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "support/thread_lock.h"

namespace pw::hook {

namespace {

void PublishId(unsigned long id) {
    CThreadLock lock(L"TimerThread");
    g_dwTimerThreadId = id;
}

class TimerThreadHandler final : public MessageThread::Handler {
  public:
    void OnStarting(unsigned long threadId) override { PublishId(threadId); }

    bool OnMessage(const MessageThread::Message& message) override {
        const runtime::RegisteredMessages& ids = runtime::Messages();
        if (message.message == ids.resetHook) {
            if (message.wParam == runtime::kWpQuit)
                return false;
        } else if (message.message == ids.killTimer) {
            runtime::StopRequestedTimer(message.wParam);
        } else if (message.message == ids.setTimer) {
            runtime::StartRequestedTimer(message.wParam, static_cast<unsigned>(message.lParam));
        } else if (message.message == platform::kWmTimer) {
            // Only the system's dispatch may call a timer's procedure.
            platform::GetMessages().DispatchThreadMessage(message);
        }
        return true;
    }

    void OnStopped() override {
        // Thread timers can only be stopped by the thread that owns them.
        KillTimerThreadTimers();
        PublishId(0);
    }
};

} // namespace

MessageThread::Handler& TimerThreadWork() {
    static TimerThreadHandler work;
    return work;
}

} // namespace pw::hook
