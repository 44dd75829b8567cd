#include "hook/jiggler.h"

#include "hook/hook_procedures.h"
#include "input/send_input.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

namespace {

// A relative movement of nothing, marked as the library's own so that the mouse hook
// does not take it for the user's activity.
void Jiggle() {
    pw::platform::InputRecord record =
        pw::platform::InputRecord::Mouse(pw::platform::kMouseEventMove, 0, 0, 0);
    record.mouse.time = pw::platform::TickCount();
    record.mouse.extraInfo = reinterpret_cast<uintptr_t>(g_hMouseHook);
    g_pSendInput->SendInputThreaded(1, &record, 0, record.mouse.time, true);
}

} // namespace

void pw::JigglerTimerProc(HWND, unsigned, uintptr_t id, unsigned long) {
    CThreadLock lock(L"JigglerTimerProc");
    if (id != g_uJigglerTimer) {
        CLogger::LogMessage(L"JigglerTimerProc: Unexpected timer ID 0x%08X (0x%08X)",
                            static_cast<unsigned>(id), static_cast<unsigned>(g_uJigglerTimer));
        platform::GetTimers().KillTimer(id);
        return;
    }
    if (g_uJigglerTimer == 0 || !g_bInputSeen)
        return;
    const uint32_t limit = g_pSettings ? g_pSettings->get_MouseJigglerTickTimeout() : 0;
    if (platform::TickCount() - g_dwLastInputTick > limit) {
        CLogger::LogMessage(
            L"JigglerTimerProc: No activity for some time. Re-enabling inactivity timer.");
        g_bInputSeen = false;
        return;
    }
    if (!g_pSendInput)
        return;
    CLogger::LogDebug(L"JigglerTimerProc: Jiggling the mouse... (simulating activity)");
    Jiggle();
}

pw::runtime::TimerProc pw::hook::JigglerTimerProcedure() {
    return &pw::JigglerTimerProc;
}
