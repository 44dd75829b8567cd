#include "hook/hook_lifecycle.h"

#include "actions/action_state.h"
#include "actions/process_button.h"
#include "hook/flag_functions.h"
#include "hook/hook_control.h"
#include "hook/hook_thread.h"
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

constexpr uint32_t kSlowRemovalMs = 21;

// The hook and timer threads differ in name, priority and texts only: both have 5000 ms
// to start and to stop, and one that does not stop in time is terminated.
MessageThread::Options EngineThreadOptions(const char* name, int priority, const Char* queueError,
                                           const Char* crashContext, const Char* lateText,
                                           const Char* exitedText, const Char* failedText,
                                           const Char* joinContext) {
    return {.name = name,
            .priority = priority,
            .startTimeoutMs = 5000,
            .queueError = queueError,
            .crashContext = crashContext,
            .stopTimeoutMs = 5000,
            .lateText = lateText,
            .late = MessageThread::LateThread::Terminate,
            .exitedText = exitedText,
            .failedText = failedText,
            .joinContext = joinContext};
}

MessageThread g_hookThread(EngineThreadOptions(
    "VESK Hook Thread", platform::Threads::kPriorityTimeCritical,
    L"HookThread: Error in hook thread message queue.", L"HookThread",
    L"Hook thread did not exit in a timely fashion!", L"Hook thread exited successfully.",
    L"Hook thread exited with error code %d.", L"EndHookThread: Hook Thread"));
MessageThread g_timerThread(EngineThreadOptions(
    "VESK Timer Thread", platform::Threads::kPriorityAboveNormal,
    L"TimerThread: Error in timer thread message queue.", L"TimerThread",
    L"Timer thread did not exit in a timely fashion!", L"Timer thread exited successfully.",
    L"Timer thread exited with error code %d.", L"EndHookThread: Timer Thread"));

// Keeps starts and stops from different threads of the main program apart.
std::recursive_mutex g_lifecycleMutex;

// Waits for thread to end and forgets its id; true when it had to be given up.
bool AwaitThread(MessageThread& thread, unsigned long& threadId) {
    const bool late = thread.Join() == MessageThread::Joined::Late;
    CThreadLock lock(L"EndHookThread");
    threadId = 0;
    return late;
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
    if (!g_timerThread.Start(TimerThreadWork(), error)) {
        CLogger::LogOSMessage(error, L"Unable to start Timer thread.");
        return false;
    }
    if (!g_hookThread.Start(HookThreadWork(), error)) {
        CLogger::LogOSMessage(error, L"Unable to start Hook thread.");
        // No timer thread is left running without a hook thread.
        EndHookThread(false);
        return false;
    }
    return true;
}

} // namespace

MessageThread& HookThread() {
    return g_hookThread;
}

MessageThread& TimerThread() {
    return g_timerThread;
}

bool EndHookThread(bool resetDefaults) {
    std::lock_guard guard(g_lifecycleMutex);
    unsigned long hookId = 0;
    unsigned long timerId = 0;
    {
        CThreadLock lock(L"EndHookThread");
        hookId = g_dwHookThreadId;
        timerId = g_dwTimerThreadId;
    }
    if (!HookThread().Exists() && !TimerThread().Exists() && hookId == 0 && timerId == 0)
        return false;
    HookThread().StopSoon(runtime::Messages().resetHook, runtime::kWpQuit);
    TimerThread().StopSoon(runtime::Messages().resetHook, runtime::kWpQuit);

    if (AwaitThread(HookThread(), g_dwHookThreadId)) {
        // The system takes a thread's hooks with it; only the handles are left to forget.
        CThreadLock lock(L"EndHookThread Hooks");
        g_hKeyboardHook = nullptr;
        g_hMouseHook = nullptr;
        NotifyMainWindow(L"EndHookThread MainWindow");
    }
    AwaitThread(TimerThread(), g_dwTimerThreadId);

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
    HookThread().Forget();
    TimerThread().Forget();
    g_dwHookThreadId = 0;
    g_dwTimerThreadId = 0;
    g_hKeyboardHook = nullptr;
    g_hMouseHook = nullptr;
}

} // namespace pw::hook

PW_EXTERN_C bool SetMouseHook() {
    try {
        std::lock_guard guard(pw::hook::g_lifecycleMutex);
        if (pw::hook::HookThread().Exists()) {
            CLogger::LogMessage(L"QuickSetMouseHook: Hook thread exists!");
            pw::hook::EndHookThread(false);
        }
        const uint32_t hookTimeout = GetHooktimeoutValue();
        {
            CThreadLock lock(L"SetMouseHook");
            g_bButtonDown.fill(false);
            g_bChordUsed.fill(false);
            // What the library injected while no hook was set (the releases sent when the
            // hooks were removed) never comes back to be counted off.
            g_nInjectCount = 0;
            g_dwHookTimeout = hookTimeout;
        }
        SetThreadName(pw::platform::GetMessages().CurrentThreadId(), "VESK Main Thread");
        if (!pw::hook::StartThreads())
            return false;
        pw::hook::SetProcessPriority();
        return pw::hook::HookThread().Exists();
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
