#include "windows/mouse_over.h"

#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "support/logger.h"
#include "support/thread_lock.h"

POINT g_ptMouseOver{};

// Not built yet: the window check. The procedure only stops its timer. It stops it here
// rather than through the timer thread: the stored id is cleared at once, and a stop
// request handled after that would find no timer to stop and leave it running.
void pw::ProcessMouseOverTimerProc(HWND, unsigned, uintptr_t id, unsigned long) {
    pw::ScopedTryLock lock(L"ProcessMouseOverTimerProc");
    if (!lock.Held())
        return;
    pw::platform::Timers& timers = pw::platform::GetTimers();
    if (g_uMouseOverTimer != 0)
        timers.KillTimer(g_uMouseOverTimer);
    if (id != g_uMouseOverTimer) {
        CLogger::LogMessage(L"ProcessMouseOverTimerProc: Unexpected timer ID 0x%08X (0x%08X)",
                            static_cast<unsigned>(id), static_cast<unsigned>(g_uMouseOverTimer));
        timers.KillTimer(id);
    }
    g_uMouseOverTimer = 0;
}
