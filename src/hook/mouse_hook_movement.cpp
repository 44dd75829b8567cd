// The movement path of the mouse hook: activity tracking, clearing the wheel throttle,
// movement-to-scroll, axis locking and the mouse-over timer. It runs on every movement,
// so it neither allocates nor waits for the global lock.

#include "actions/mouse_over_switch.h"
#include "actions/sticky_keys.h"
#include "hook/mouse_hook.h"
#include "hook/mouse_hook_paths.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "scroll/lock_axis.h"
#include "scroll/movement_to_scroll.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "windows/mouse_over.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

POINT g_ptLastMove{};

namespace pw::hook {

namespace {

// A move farther than this from the last one ends a run of fast wheel notches.
constexpr int64_t kWheelResetDistance = 10;

bool MovedFar(POINT from, POINT to) {
    const int64_t dx = static_cast<int64_t>(to.x) - from.x;
    const int64_t dy = static_cast<int64_t>(to.y) - from.y;
    return std::llabs(dx) > kWheelResetDistance || std::llabs(dy) > kWheelResetDistance;
}

bool AnyButtonDown() {
    return std::any_of(g_bButtonDown.begin(), g_bButtonDown.end(), [](bool down) { return down; });
}

void RestartMouseOverTimer(POINT pt) {
    if (pw::AnyStickyActive() || g_uRepeatTimer != 0 || AnyButtonDown())
        return;
    g_ptMouseOver = pt;
    const uintptr_t id = pw::SetThreadTimer(runtime::kMouseOverTimer, kMouseOverDelayMs,
                                            pw::ProcessMouseOverTimerProc);
    if (id != 0)
        g_uMouseOverTimer = id;
}

} // namespace

HookOutcome RunMovementPath(MouseEvent& event) {
    if (!g_pSettings)
        return HookOutcome::Exit;
    MSLLHOOKSTRUCT& record = *event.record;
    if ((record.flags & platform::kLlmhfInjected) &&
        record.dwExtraInfo == reinterpret_cast<uintptr_t>(g_hMouseHook)) {
        CLogger::LogDebug(L"MouseMove: We injected movement: X=%d, Y=%d",
                          static_cast<int>(record.pt.x), static_cast<int>(record.pt.y));
        return HookOutcome::Exit;
    }
    pw::ScopedTryLock lock(L"WM_MOUSEMOVE");
    if (!lock.Held())
        return HookOutcome::Exit;

    g_dwLastInputTick = event.start;
    g_bInputSeen = true;

    const CSettings& settings = *g_pSettings;
    const bool mouseOver = settings.SwitchOnMouseOver() || settings.ActivateOnMouseOver();
    if (!g_pCurrentApp && !mouseOver)
        return HookOutcome::Exit;

    if (MovedFar(g_ptLastMove, record.pt)) {
        g_dwLastWheelTick = 0;
        g_nLastWheelButton = 0;
    }
    g_ptLastMove = record.pt;

    if (MovementToScrollActive()) {
        pw::ScrollByMovement(record);
        event.handled = true;
        return HookOutcome::Exit;
    }
    if (pw::scroll::ApplyAxisLock(record)) {
        event.handled = true;
        return HookOutcome::Exit;
    }
    if (mouseOver)
        RestartMouseOverTimer(record.pt);
    return HookOutcome::Exit;
}

} // namespace pw::hook
