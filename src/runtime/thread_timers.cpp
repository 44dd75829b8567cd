#include "runtime/thread_timers.h"

#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "support/logger.h"
#include "support/thread_lock.h"

#include <array>
#include <atomic>

namespace {

using pw::runtime::TimerProc;

constexpr uintptr_t kFirstKind = pw::runtime::kKeySwitchTimer;
constexpr uintptr_t kLastKind = pw::runtime::kJigglerTimer;

// The procedure last asked for per kind, for the timer thread to start it with. Written
// by any thread without a lock: the mouse hook asks for the mouse-over timer on every
// movement.
std::array<std::atomic<TimerProc>, kLastKind - kFirstKind + 1> g_procedures{};

std::atomic<TimerProc>* ProcedureOf(uintptr_t kind) {
    if (kind < kFirstKind || kind > kLastKind)
        return nullptr;
    return &g_procedures[kind - kFirstKind];
}

// A request from another thread goes to the timer thread, which owns every timer.
bool ForTimerThread() {
    return g_dwTimerThreadId != 0 &&
           pw::platform::GetMessages().CurrentThreadId() != g_dwTimerThreadId;
}

pw::runtime::TimerId* StoredIdOf(uintptr_t kind) {
    switch (kind) {
    case pw::runtime::kKeySwitchTimer:
        return &g_uKeySwitchTimer;
    case pw::runtime::kRepeatTimer:
        return &g_uRepeatTimer;
    case pw::runtime::kActivateTimer:
        return &g_uActivateTimer;
    case pw::runtime::kAutoSwitchTimer:
        return &g_uAutoSwitchTimer;
    case pw::runtime::kMouseOverTimer:
        return &g_uMouseOverTimer;
    case pw::runtime::kResetHookTimer:
        return &g_uResetHookTimer;
    case pw::runtime::kJigglerTimer:
        return &g_uJigglerTimer;
    default:
        return nullptr;
    }
}

// A thread timer's id is the system's choice, not its kind: the running timer is
// stopped through the id stored for the kind.
void KillOnThisThread(uintptr_t kind) {
    pw::runtime::TimerId* stored = StoredIdOf(kind);
    if (!stored) {
        pw::platform::GetTimers().KillTimer(kind);
        return;
    }
    if (*stored != 0)
        pw::platform::GetTimers().KillTimer(*stored);
    *stored = 0;
}

uintptr_t SetOnThisThread(uintptr_t kind, unsigned periodMs, TimerProc proc) {
    KillOnThisThread(kind);
    const uintptr_t id = pw::platform::GetTimers().SetTimer(kind, periodMs, proc);
    if (pw::runtime::TimerId* stored = StoredIdOf(kind))
        *stored = id;
    return id;
}

} // namespace

uintptr_t pw::SetThreadTimer(uintptr_t kind, unsigned periodMs, TimerProc proc) {
    if (ForTimerThread()) {
        if (std::atomic<TimerProc>* procedure = ProcedureOf(kind))
            procedure->store(proc, std::memory_order_release);
        pw::platform::GetMessages().PostThreadMessage(g_dwTimerThreadId,
                                                      pw::runtime::Messages().setTimer, kind,
                                                      static_cast<LPARAM>(periodMs));
        return 0;
    }
    return SetOnThisThread(kind, periodMs, proc);
}

void pw::KillThreadTimer(uintptr_t kind) {
    if (ForTimerThread()) {
        pw::platform::GetMessages().PostThreadMessage(g_dwTimerThreadId,
                                                      pw::runtime::Messages().killTimer, kind, 0);
        return;
    }
    KillOnThisThread(kind);
}

void KillTimerThreadTimers() {
    CLogger::LogMessage(L"Removing and active VESKHook Timers...");
    CThreadLock lock(L"KillTimers");
    for (uintptr_t kind = kFirstKind; kind <= kLastKind; ++kind) {
        pw::runtime::TimerId* stored = StoredIdOf(kind);
        if (!stored || *stored == 0)
            continue;
        pw::platform::GetTimers().KillTimer(*stored);
        *stored = 0;
    }
}

namespace pw::runtime {

void StartRequestedTimer(uintptr_t kind, unsigned periodMs) {
    if (kind == kScrollLineTimer) {
        CLogger::LogDebug(L"Invalid call to Set Scroll Line Timer on the Timer Thread (should use "
                          L"SPI Thread)");
        return;
    }
    TimerId* stored = StoredIdOf(kind);
    std::atomic<TimerProc>* procedure = ProcedureOf(kind);
    if (!stored || !procedure)
        return;
    const TimerProc proc = procedure->load(std::memory_order_acquire);
    if (!proc)
        return;
    CThreadLock lock(L"TimerThread SetTimer");
    // The mouse-over timer waits for the cursor to rest; more movement leaves it running.
    if (kind == kMouseOverTimer && *stored != 0)
        return;
    SetOnThisThread(kind, periodMs, proc);
}

void StopRequestedTimer(uintptr_t kind) {
    if (!StoredIdOf(kind))
        return;
    CThreadLock lock(L"TimerThread KillTimer");
    KillOnThisThread(kind);
}

} // namespace pw::runtime
