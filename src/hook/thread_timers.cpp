#include "hook/thread_timers.h"

#include "hook/hook_state.h"
#include "hook/registered_messages.h"
#include "platform/platform.h"
#include "support/logger.h"
#include "support/thread_lock.h"

namespace {

// A request from another thread goes to the timer thread, which owns every timer.
bool ForTimerThread() {
    return g_dwTimerThreadId != 0 &&
           pw::platform::GetMessages().CurrentThreadId() != g_dwTimerThreadId;
}

pw::hook::TimerId* StoredIdOf(uintptr_t kind) {
    switch (kind) {
    case pw::hook::kKeySwitchTimer:
        return &g_uKeySwitchTimer;
    case pw::hook::kRepeatTimer:
        return &g_uRepeatTimer;
    case pw::hook::kActivateTimer:
        return &g_uActivateTimer;
    case pw::hook::kAutoSwitchTimer:
        return &g_uAutoSwitchTimer;
    case pw::hook::kMouseOverTimer:
        return &g_uMouseOverTimer;
    case pw::hook::kResetHookTimer:
        return &g_uResetHookTimer;
    case pw::hook::kJigglerTimer:
        return &g_uJigglerTimer;
    default:
        return nullptr;
    }
}

} // namespace

uintptr_t SetThreadTimer(uintptr_t kind, unsigned periodMs, pw::hook::TimerProc proc) {
    if (ForTimerThread()) {
        pw::platform::GetMessages().PostThreadMessage(
            g_dwTimerThreadId, pw::hook::Messages().setTimer, kind, static_cast<LPARAM>(periodMs));
        return 0;
    }
    pw::platform::Timers& timers = pw::platform::GetTimers();
    timers.KillTimer(kind);
    return timers.SetTimer(kind, periodMs, proc);
}

void KillThreadTimer(uintptr_t kind) {
    if (ForTimerThread()) {
        pw::platform::GetMessages().PostThreadMessage(g_dwTimerThreadId,
                                                      pw::hook::Messages().killTimer, kind, 0);
        return;
    }
    pw::platform::GetTimers().KillTimer(kind);
}

void KillTimerThreadTimers() {
    CLogger::LogMessage(L"Removing and active VESKHook Timers...");
    CThreadLock lock(L"KillTimers");
    constexpr uintptr_t kKinds[] = {pw::hook::kKeySwitchTimer, pw::hook::kRepeatTimer,
                                    pw::hook::kActivateTimer,  pw::hook::kAutoSwitchTimer,
                                    pw::hook::kMouseOverTimer, pw::hook::kResetHookTimer,
                                    pw::hook::kJigglerTimer};
    for (uintptr_t kind : kKinds) {
        pw::hook::TimerId* stored = StoredIdOf(kind);
        if (*stored == 0)
            continue;
        pw::platform::GetTimers().KillTimer(*stored);
        *stored = 0;
    }
}
