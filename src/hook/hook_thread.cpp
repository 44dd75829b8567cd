#include "hook/hook_thread.h"

#include "actions/brightness.h"
#include "actions/process_button.h"
#include "actions/sticky_keys.h"
#include "hook/hook_control.h"
#include "hook/hook_install.h"
#include "hook/secure_attention.h"
#include "input/english_layout.h"
#include "input/send_input.h"
#include "input/sim_brightness_token.h"
#include "input/spi_thread.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "scroll/scroll_timers.h"
#include "settings/os_version.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "windows/wheel_window.h"

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

// The brightness object initialises the component services for the hook thread, so it
// is created and deleted here.
void ReplaceBrightness(CBrightness* brightness) {
    CBrightness* old = nullptr;
    {
        CThreadLock lock(L"HookThread Brightness");
        old = g_pBrightness;
        g_pBrightness = brightness;
    }
    delete old;
}

void EnableSecureAttention() {
    if (pw::EnableSAS() != 0)
        return;
    const uint32_t error = platform::GetDiagnostics().LastError();
    if (GetOSVersion() >= osWindows7)
        CLogger::LogOSMessage(error, L"Unable to enable secure attention sequence (SAS)");
}

void StartWorkers() {
    ReplaceSendInput(nullptr);
    ReplaceSendInput(new CSendInput());
    pw::RestartSPIThread();
    HWND osdWindow = nullptr;
    {
        CThreadLock lock(L"HookThread Brightness");
        osdWindow = g_hBrightnessOSDWindow;
    }
    ReplaceBrightness(new CBrightness(osdWindow));
    EnableSecureAttention();
}

void StopWorkers() {
    ReplaceBrightness(nullptr);
    ReplaceSendInput(nullptr);
    pw::DeleteSPIThread();
}

class HookThreadHandler final : public MessageThread::Handler {
  public:
    void OnStarting(unsigned long threadId) override {
        CThreadLock lock(L"HookThread Start");
        g_dwHookThreadId = threadId;
    }

    void OnStarted() override {
        StartWorkers();
        input::ChooseEnglishLayout();
        {
            CThreadLock lock(L"HookThread 0");
            InstallHooks();
        }
        NotifyMainWindow(L"HookThread MainWindow");
    }

    bool OnMessage(const MessageThread::Message& message) override {
        const runtime::RegisteredMessages& ids = runtime::Messages();
        if (message.message == ids.resetHook) {
            if (message.wParam == runtime::kWpQuit)
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
            // Departs from the plain stop: a held wheel or tilt whose timer has not fired
            // yet would leave its action's keys down once the hooks are gone.
            scroll::EndPendingScroll();
            // The same for a button whose release the hooks will no longer see, and for
            // sticky buttons and keys, whose ending click they will not see either.
            POINT pt{};
            platform::GetWindows().CursorPos(pt);
            pw::EndHeldPresses(pt);
            pw::ResetAllSticky(pt);
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
        platform::GetMessages().PostMessage(mainWindow, runtime::Messages().mainWindow, 0, 0);
}

MessageThread::Handler& HookThreadWork() {
    static HookThreadHandler work;
    return work;
}

} // namespace pw::hook
