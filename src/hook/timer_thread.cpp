#include "hook/timer_thread.h"

#include "hook/hook_state.h"
#include "hook/registered_messages.h"
#include "hook/thread_timers.h"
#include "platform/platform.h"
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
        const RegisteredMessages& ids = Messages();
        if (message.message == ids.resetHook) {
            if (message.wParam == kWpQuit)
                return false;
        } else if (message.message == ids.killTimer) {
            StopRequestedTimer(message.wParam);
        } else if (message.message == ids.setTimer) {
            StartRequestedTimer(message.wParam, static_cast<unsigned>(message.lParam));
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
