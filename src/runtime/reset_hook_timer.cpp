#include "runtime/reset_hook_timer.h"

#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "support/logger.h"

void pw::ResetHookTimerProc(HWND, unsigned, uintptr_t id, unsigned long) {
    pw::platform::Timers& timers = pw::platform::GetTimers();
    if (g_uResetHookTimer != 0)
        timers.KillTimer(g_uResetHookTimer);
    if (id != g_uResetHookTimer) {
        CLogger::LogMessage(L"ResetHookTimerProc: Unexpected timer ID 0x%08X (0x%08X)",
                            static_cast<unsigned>(id), static_cast<unsigned>(g_uResetHookTimer));
        timers.KillTimer(id);
    }
    g_uResetHookTimer = 0;
    CLogger::LogMessage(L"ResetHookTimerProc: Re-installing VESK hooks.");
    pw::platform::GetMessages().PostThreadMessage(
        g_dwHookThreadId, pw::runtime::Messages().resetHook, pw::runtime::kWpBoth, 0);
}
