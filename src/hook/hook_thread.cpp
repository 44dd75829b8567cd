#include "hook/hook_thread.h"

#include "hook/english_layout.h"
#include "hook/hook_control.h"
#include "hook/hook_install.h"
#include "hook/hook_state.h"
#include "hook/registered_messages.h"
#include "input/send_input.h"
#include "input/spi_thread.h"
#include "platform/platform.h"
#include "scroll/wheel.h"
#include "support/logger.h"
#include "support/thread_lock.h"

namespace pw::hook {

namespace {

// The old sender's destructor waits for its thread, so it runs outside the lock.
void ReplaceSendInput(CSendInput* sender) {
    CSendInput* old = nullptr;
    {
        CThreadLock lock(L"HookThread SendInput");
        old = g_pSendInput;
        g_pSendInput = sender;
    }
    delete old;
}

// The brightness object and the secure attention sequence join these once they exist.
void StartWorkers() {
    ReplaceSendInput(nullptr);
    ReplaceSendInput(new CSendInput());
    RestartSPIThread();
}

void StopWorkers() {
    ReplaceSendInput(nullptr);
    DeleteSPIThread();
}

class HookThreadHandler final : public MessageThread::Handler {
  public:
    void OnStarting(unsigned long threadId) override {
        CThreadLock lock(L"HookThread Start");
        g_dwHookThreadId = threadId;
    }

    void OnStarted() override {
        StartWorkers();
        ChooseEnglishLayout();
        {
            CThreadLock lock(L"HookThread 0");
            InstallHooks();
        }
        NotifyMainWindow(L"HookThread MainWindow");
    }

    bool OnMessage(const MessageThread::Message& message) override {
        const RegisteredMessages& ids = Messages();
        if (message.message == ids.resetHook) {
            if (message.wParam == kWpQuit)
                return false;
            ReinstallHooks(message.wParam);
        } else if (message.message == ids.setTimer) {
            CLogger::LogDebug(L"Invalid Set Timer call to hook thread");
        } else if (message.message == platform::kWmTimer) {
            platform::GetMessages().DispatchThreadMessage(message);
        } else {
            CLogger::LogDebug(L"-- Dropping Message: %08X --", message.message);
        }
        return true;
    }

    void OnStopped() override {
        CLogger::LogDebug(L"HookThread: Finished the message loop. Cleaning up...");
        {
            CThreadLock lock(L"HookThread Clean-up");
            RemoveHooks();
            NotifyMainWindow(L"HookThread MainWindow");
            CWheel::Reset();
            g_hLastWindow = nullptr;
            g_szLastProcess[0] = 0;
        }
        StopWorkers();
    }
};

} // namespace

void NotifyMainWindow(const Char* lockName) {
    HWND mainWindow = nullptr;
    {
        CThreadLock lock(lockName);
        mainWindow = g_hMainWindow;
    }
    if (mainWindow)
        platform::GetMessages().PostMessage(mainWindow, Messages().mainWindow, 0, 0);
}

MessageThread::Handler& HookThreadWork() {
    static HookThreadHandler work;
    return work;
}

} // namespace pw::hook
