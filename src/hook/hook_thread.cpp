#include "hook/hook_thread.h"

#include "hook/hook_control.h"
#include "hook/hook_install.h"
#include "input/english_layout.h"
#include "input/send_input.h"
#include "input/spi_thread.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "scroll/wheel.h"
#include "support/exception_handler.h"
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
    pw::RestartSPIThread();
}

void StopWorkers() {
    ReplaceSendInput(nullptr);
    pw::DeleteSPIThread();
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
                                  L"HookThread: Error in hook thread message queue.");
            return false;
        }
        bool leave = got == 0;
        if (message.message == ids.resetHook) {
            if (message.wParam == runtime::kWpQuit)
                leave = true;
            else
                ReinstallHooks(message.wParam);
        } else if (message.message == ids.setTimer) {
            CLogger::LogDebug(L"Invalid Set Timer call to hook thread");
        } else if (message.message == platform::kWmTimer) {
            messages.DispatchThreadMessage(message);
        } else {
            CLogger::LogDebug(L"-- Dropping Message: %08X --", message.message);
        }
        if (leave)
            return true;
    }
}

void CleanUp() {
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

unsigned long HookThreadProc(LibraryThread::StartSignal& start) {
    ExceptionHandlerInstaller crashHandler;
    try {
        platform::Messages& messages = platform::GetMessages();
        platform::Threads& threads = platform::GetThreads();
        // The queue exists before the id is published, so that no request is lost.
        messages.CreateThreadQueue();
        const unsigned long self = messages.CurrentThreadId();
        {
            CThreadLock lock(L"HookThread Start");
            g_dwHookThreadId = self;
        }
        threads.NameThread(self, "VESK Hook Thread");
        threads.SetCurrentThreadPriority(platform::Threads::kPriorityTimeCritical);
        start.Started();

        StartWorkers();
        input::ChooseEnglishLayout();
        {
            CThreadLock lock(L"HookThread 0");
            InstallHooks();
        }
        NotifyMainWindow(L"HookThread MainWindow");

        const bool clean = RunMessageLoop();
        CleanUp();
        return clean ? 1 : 0;
    } catch (...) {
        pw::handle_exception(L"HookThread");
    }
}

} // namespace pw::hook
