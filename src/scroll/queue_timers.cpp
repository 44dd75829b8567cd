// The one-shot timer-queue timers of a held wheel or tilt, one per slot. The hook thread
// starts and restarts them; their callbacks stop them from a thread of the queue. The slot
// table is guarded by the global lock.

#include "platform/platform.h"
#include "scroll/scroll_timers.h"
#include "support/logger.h"
#include "support/thread_lock.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

// Slot 0 is not used.
std::array<HANDLE, 3> g_hQueueTimers{};

bool ValidSlot(int slot) {
    return slot > 0 && slot < static_cast<int>(g_hQueueTimers.size());
}

HANDLE& SlotOf(int slot) {
    return g_hQueueTimers[static_cast<size_t>(slot)];
}

} // namespace

bool pw::StartQTTimer(unsigned ms, QueueTimerCallback callback, int slot) {
    if (!ValidSlot(slot) || !callback) {
        CLogger::LogMessage(L"StartQTTimer: Invalid QueueTimer %d", slot);
        return false;
    }
    CThreadLock lock(L"StartQTTimer");
    // A timer still in the slot would fire unowned.
    if (SlotOf(slot))
        StopQTTimer(slot);
    platform::QueueTimers& timers = platform::GetQueueTimers();
    HANDLE timer =
        timers.Create(ms, callback, reinterpret_cast<void*>(static_cast<intptr_t>(slot)));
    if (!timer) {
        CLogger::LogOSMessage(platform::GetDiagnostics().LastError(),
                              L"StartQTTimer: Unable to create QueueTimer %d", slot);
        return false;
    }
    SlotOf(slot) = timer;
    return true;
}

bool pw::StopQTTimer(int slot) {
    if (!ValidSlot(slot))
        return false;
    CThreadLock lock(L"StopQTTimer");
    HANDLE timer = SlotOf(slot);
    if (!timer)
        return false;
    // Never waits: the callback of this very timer may be the caller.
    if (!platform::GetQueueTimers().Delete(timer))
        CLogger::LogOSError(platform::GetDiagnostics().LastError(),
                            L"StopQTTimer: Unable to delete QueueTimer %d\n", slot);
    else
        CLogger::LogDebug(L"StopQTTimer: DeleteTimerQueueTimer %d\n", slot);
    SlotOf(slot) = nullptr;
    return true;
}

void pw::scroll::StopScrollTimers() {
    CThreadLock lock(L"StopScrollTimers");
    StopQTTimer(kHorizontalSlot);
    StopQTTimer(kVerticalSlot);
}
