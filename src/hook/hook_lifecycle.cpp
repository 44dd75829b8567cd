#include "hook/hook_lifecycle.h"

#include "actions/action_state.h"
#include "actions/process_button.h"
#include "hook/flag_functions.h"
#include "hook/hook_control.h"
#include "hook/hook_thread.h"
#include "hook/library_thread.h"
#include "hook/mouse_defaults_restore.h"
#include "hook/timer_thread.h"
#include "input/system_mouse_defaults.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/report_exception.h"
#include "support/thread_lock.h"

#include <mutex>

namespace pw::hook {

namespace {

constexpr unsigned kThreadExitWaitMs = 5000;
constexpr unsigned long kTerminatedExitCode = 0xFFFFFFFF;
constexpr uint32_t kSlowRemovalMs = 21;

LibraryThread g_hookThread;
LibraryThread g_timerThread;
// Keeps starts and stops from different threads of the main program apart.
std::recursive_mutex g_lifecycleMutex;

// The texts one thread's end is reported with.
struct ThreadTexts {
    const Char* late;
    const Char* success;
    const Char* failure;
    const Char* context;
};

// Waits for a running thread and reports how it ended; true when it had to be
// terminated.
bool WaitAndReport(LibraryThread& thread, const ThreadTexts& texts) {
    try {
        unsigned long code = 0;
        if (!thread.WaitForExit(kThreadExitWaitMs, code)) {
            CLogger::LogMessage(L"%ls", texts.late);
            thread.Terminate(kTerminatedExitCode);
            return true;
        }
        if (code == 1)
            CLogger::LogDebug(L"%ls", texts.success);
        else
            CLogger::LogMessage(texts.failure, static_cast<int>(code));
    } catch (...) {
        ReportException(texts.context);
    }
    return false;
}

bool AwaitThread(LibraryThread& thread, unsigned long& threadId, const ThreadTexts& texts) {
    const bool terminated = thread.Running() && WaitAndReport(thread, texts);
    CThreadLock lock(L"EndHookThread");
    threadId = 0;
    return terminated;
}

void ResetDefaults() {
    try {
        unsigned lines = 3;
        {
            CThreadLock lock(L"EndHookThread Reset Defaults");
            lines = g_SystemMouseDefaults.scrollLines;
        }
        RestoreButtonSwap();
        RestoreWheelLines(lines);
    } catch (...) {
        ReportException(L"EndHookThread: Reset Defaults");
    }
}

void PostQuit(const LibraryThread& thread, unsigned long threadId) {
    if (thread.Running() && threadId != 0)
        platform::GetMessages().PostThreadMessage(threadId, runtime::Messages().resetHook,
                                                  runtime::kWpQuit, 0);
}

void SetProcessPriority() {
    int priorityClass = CSettings::kDefaultCPUPriority;
    {
        CThreadLock lock(L"SetMouseHook Priority");
        if (g_pSettings)
            priorityClass = g_pSettings->CPUPriority();
    }
    if (!platform::GetThreads().SetProcessPriorityClass(static_cast<unsigned long>(priorityClass)))
        CLogger::LogOSMessage(platform::GetDiagnostics().LastError(),
                              L"Unable to set process priority.");
}

bool StartThreads() {
    uint32_t error = 0;
    if (!g_timerThread.Start(&TimerThreadProc, error)) {
        CLogger::LogOSMessage(error, L"Unable to start Timer thread.");
        return false;
    }
    if (!g_hookThread.Start(&HookThreadProc, error)) {
        CLogger::LogOSMessage(error, L"Unable to start Hook thread.");
        // No timer thread is left running without a hook thread.
        EndHookThread(false);
        return false;
    }
    return true;
}

} // namespace

bool EndHookThread(bool resetDefaults) {
    std::lock_guard guard(g_lifecycleMutex);
    unsigned long hookId = 0;
    unsigned long timerId = 0;
    {
        CThreadLock lock(L"EndHookThread");
        hookId = g_dwHookThreadId;
        timerId = g_dwTimerThreadId;
    }
    if (!g_hookThread.Running() && !g_timerThread.Running() && hookId == 0 && timerId == 0)
        return false;
    PostQuit(g_hookThread, hookId);
    PostQuit(g_timerThread, timerId);

    if (AwaitThread(g_hookThread, g_dwHookThreadId,
                    {L"Hook thread did not exit in a timely fashion!",
                     L"Hook thread exited successfully.", L"Hook thread exited with error code %d.",
                     L"EndHookThread: Hook Thread"})) {
        // The system takes a thread's hooks with it; only the handles are left to forget.
        CThreadLock lock(L"EndHookThread Hooks");
        g_hKeyboardHook = nullptr;
        g_hMouseHook = nullptr;
        NotifyMainWindow(L"EndHookThread MainWindow");
    }
    AwaitThread(g_timerThread, g_dwTimerThreadId,
                {L"Timer thread did not exit in a timely fashion!",
                 L"Timer thread exited successfully.", L"Timer thread exited with error code %d.",
                 L"EndHookThread: Timer Thread"});

    if (resetDefaults)
        ResetDefaults();

    CThreadLock lock(L"EndHookThread");
    g_hLastWindow = nullptr;
    g_szLastProcess[0] = 0;
    g_pCurrentApp = nullptr;
    return true;
}

void ForgetHookThreads() {
    std::lock_guard guard(g_lifecycleMutex);
    g_hookThread.Forget();
    g_timerThread.Forget();
    g_dwHookThreadId = 0;
    g_dwTimerThreadId = 0;
    g_hKeyboardHook = nullptr;
    g_hMouseHook = nullptr;
}

} // namespace pw::hook

PW_EXTERN_C bool SetMouseHook() {
    try {
        std::lock_guard guard(pw::hook::g_lifecycleMutex);
        if (pw::hook::g_hookThread.Running()) {
            CLogger::LogMessage(L"QuickSetMouseHook: Hook thread exists!");
            pw::hook::EndHookThread(false);
        }
        const uint32_t hookTimeout = GetHooktimeoutValue();
        {
            CThreadLock lock(L"SetMouseHook");
            g_bButtonDown.fill(false);
            g_bChordUsed.fill(false);
            g_dwHookTimeout = hookTimeout;
        }
        SetThreadName(pw::platform::GetMessages().CurrentThreadId(), "VESK Main Thread");
        if (!pw::hook::StartThreads())
            return false;
        pw::hook::SetProcessPriority();
        return pw::hook::g_hookThread.Running();
    } catch (...) {
        pw::ReportException(L"SetMouseHook");
        return false;
    }
}

PW_EXTERN_C bool RemoveMouseHook(bool resetDefaults) {
    try {
        const uint32_t start = pw::platform::TickCount();
        const bool ended = pw::hook::EndHookThread(resetDefaults);
        pw::platform::GetThreads().SetProcessPriorityClass(
            pw::platform::Threads::kNormalPriorityClass);
        const uint32_t took = pw::platform::TickCount() - start;
        if (ended && took >= pw::hook::kSlowRemovalMs)
            CLogger::LogMessage(L"RemoveMouseHook took %dms", static_cast<int>(took));
        return ended;
    } catch (...) {
        pw::ReportException(L"RemoveMouseHook");
        return false;
    }
}

PW_EXTERN_C void SetThreadName(DWORD threadId, const char* name) {
    try {
        pw::platform::GetThreads().NameThread(threadId, name);
    } catch (...) {
        pw::ReportException(L"SetThreadName");
    }
}
