#include "actions/action_state.h"
#include "actions/key_repeat.h"
#include "input/send_keys.h"
#include "input/sim_modifiers.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "scroll/mouse_wheel.h"
#include "settings/actions.h"
#include "settings/application_settings.h"
#include "settings/mouse_buttons.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "windows/window_from_point.h"

namespace {

// The timer id while the procedure runs: a restart request from the action in the
// meantime shows as a different value.
constexpr uintptr_t kRepeatRunning = static_cast<uintptr_t>(-1);

// The profile and layer the repeating button's action comes from, following the layer-1
// and default-profile indirections.
struct RepeatSource {
    CApplicationSettings* profile = nullptr;
    int layer = 0;
    _ACTIONS action = actNoChange;
};

RepeatSource FindRepeatSource(MouseButtons button) {
    RepeatSource source{g_pCurrentApp, g_nCurrentLayer, actNoChange};
    source.action = source.profile->GetActions(button, source.layer);
    if (source.action == actSameAsLayer1) {
        source.layer = 0;
        source.action = source.profile->GetActions(button, 0);
    }
    if (source.action == actSameAsDefaultProfile && g_pSettings && g_pSettings->GetDefaultApp()) {
        source.profile = g_pSettings->GetDefaultApp();
        source.action = source.profile->GetActions(button, source.layer);
    }
    return source;
}

// Repeats the action once; the interval until the next repeat.
unsigned RepeatOnce(const RepeatSource& source, MouseButtons button, POINT pt) {
    unsigned interval = g_dwWheelRepeat;
    switch (source.action) {
    case actSimulatedKeys: {
        const Char* keys = source.profile->GetKeystrokes(button, source.layer);
        CLogger::LogDebug(L"KeyRepeatTimer: Adding simulated keystrokes '%ls' to input queue.",
                          keys ? keys : L"");
        pw::SendKeyStateWhileDown(keys, &pt, pw::input::kExecuteWhole);
        const int repeat = source.profile->SendKeyRepeat(button, source.layer);
        const int total = (repeat > 0 ? repeat : static_cast<int>(g_dwWheelRepeat)) +
                          source.profile->GetKeystrokesWaitHoldTime(button, source.layer, 0);
        interval = total > 0 ? static_cast<unsigned>(total) : 0u;
        if (source.profile->RandomiseDelay(button, source.layer)) {
            interval = pw::actions::RandomisedInterval(interval);
            CLogger::LogDebug(L"KeyRepeatTimer: Randomised repeat delay is %dms",
                              static_cast<int>(interval));
        }
        break;
    }
    default:
        pw::actions::StepScrollAction(source.action, pt);
        break;
    }
    return interval;
}

} // namespace

// Following the cursor into another application's window (which ends the repeat) comes
// with the window tracking of the repeat; the repeat continues for the profile it began in.
void pw::RepeatTimerProc(HWND, unsigned, uintptr_t id, unsigned long) {
    {
        CThreadLock lock(L"RepeatTimerProc KillTimer");
        auto& timers = pw::platform::GetTimers();
        timers.KillTimer(g_uRepeatTimer);
        if (id != g_uRepeatTimer) {
            CLogger::LogMessage(L"Repeat Timer: Unexpected timer event ID.");
            timers.KillTimer(id);
        }
        g_uRepeatTimer = kRepeatRunning;
    }
    POINT pt{};
    GetPhysCursorPos(&pt);

    CThreadLock lock(L"RepeatTimerProc NOBUTTON");
    if (!g_pCurrentApp) {
        CLogger::LogMessage(L"KeyRepeatTimer: Current Application settings is NULL.");
        return;
    }
    if (!pw::settings::IsValidButton(g_nRepeatButton)) {
        g_uRepeatTimer = 0;
        return;
    }
    const auto button = static_cast<MouseButtons>(g_nRepeatButton);
    const unsigned interval = RepeatOnce(FindRepeatSource(button), button, pt);
    if (g_nRepeatButton == -1) {
        // Released while the step ran: the repeat ends here.
        if (g_uRepeatTimer == kRepeatRunning)
            g_uRepeatTimer = 0;
        return;
    }
    if (g_uRepeatTimer != kRepeatRunning) {
        g_uRepeatTimer = 0;
        return;
    }
    CLogger::LogDebug(L"Re-enable Timer: Delay %d (milliseconds)", static_cast<int>(interval));
    const uintptr_t next =
        pw::SetThreadTimer(pw::runtime::kRepeatTimer, interval, pw::RepeatTimerProc);
    g_uRepeatTimer = next ? next : 0;
}
