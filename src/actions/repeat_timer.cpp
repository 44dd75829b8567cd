#include "actions/action_state.h"
#include "actions/button_processing.h"
#include "actions/key_repeat.h"
#include "input/send_input.h"
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
#include "windows/focus_window.h"
#include "windows/process_name.h"
#include "windows/profile_matching.h"
#include "windows/window_from_point.h"

#include <array>

namespace {

// The timer id while the procedure runs: a restart request from the action in the
// meantime shows as a different value.
constexpr uintptr_t kRepeatRunning = static_cast<uintptr_t>(-1);

// The profile and layer the repeating button's action comes from.
struct RepeatSource {
    CApplicationSettings* profile = nullptr;
    int layer = 0;
    _ACTIONS action = actNoChange;
};

RepeatSource FindRepeatSource(MouseButtons button) {
    const pw::actions::SlotOrigin origin =
        pw::actions::FollowSlot(g_pCurrentApp, button, g_nCurrentLayer);
    return {origin.profile, origin.layer, static_cast<_ACTIONS>(origin.action)};
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

constexpr int kRepeatStickyEntry = 5;

// The window whose profile the repeat must still belong to: under the cursor when the
// profile follows the mouse, else the focus window of the foreground window's thread.
HWND RepeatWindow(POINT pt, bool underCursor) {
    return underCursor ? RealWindowFromPoint(pt) : pw::windows::FocusWindowOfForeground();
}

// Whether the quarter of the last window under pt changed; notes the new one.
bool QuadrantChanged(HWND window, POINT pt) {
    if (!g_bQuadrantsUsed)
        return false;
    const int quadrant = pw::windows::GetWindowQuadrant(window, &pt);
    const bool changed = quadrant != g_nLastQuadrant;
    if (changed)
        CLogger::LogDebug(L"Quadrant changed from %d to %d", g_nLastQuadrant, quadrant);
    g_nLastQuadrant = quadrant;
    return changed;
}

// A wheel or tilt repeat has no release of its own to wait for once it is cancelled.
void EndRepeat() {
    CLogger::LogDebug(L"Different app settings for this quadrant. Cancelling repeat timer!");
    g_nStickyState[kRepeatStickyEntry] = 0;
    if (g_pSendInput)
        g_pSendInput->FlushQueue();
    g_uRepeatTimer = 0;
    if (g_nRepeatButton >= mbTiltLeft && g_nRepeatButton <= mbWheelDown)
        g_bButtonDown[static_cast<size_t>(g_nRepeatButton)] = false;
}

// Checks that the window at pt still has the profile the repeat runs for. False when the
// repeat stops here: the window is gone for now (the timer is armed again) or the profile
// there differs (the repeat ends).
bool FollowWindow(POINT pt) {
    CThreadLock lock(L"RepeatTimerProc WINDOW");
    const bool underCursor = g_pSettings && g_pSettings->SwitchOnMouseOver();
    HWND window = RepeatWindow(pt, underCursor);
    if (underCursor && !window) {
        CThreadLock noWindow(L"RepeatTimerProc NOWINDOW");
        CLogger::LogDebug(L"RepeatTimerProc: Unable to get the window under the cursor. "
                          L"Resetting timer.");
        const uintptr_t next =
            pw::SetThreadTimer(pw::runtime::kRepeatTimer, g_dwWheelRepeat, pw::RepeatTimerProc);
        if (next)
            g_uRepeatTimer = next;
        return false;
    }
    if (window == g_hLastWindow && !QuadrantChanged(window, pt))
        return true;

    std::array<Char, pw::windows::kProcessNameCapacity> name{};
    unsigned long pid = 0;
    pw::platform::GetWindows().ThreadProcessId(window, &pid);
    int depth = 0;
    pw::GetProcessName(window, pid, name.data(), static_cast<int>(name.size()), &depth,
                       pw::windows::kCallerRepeatTimer);
    if (pw::windows::FindProfile(window, name.data(), &pt, nullptr) == g_pCurrentApp)
        return true;
    EndRepeat();
    return false;
}

} // namespace

// Each step first checks that the window at the cursor still belongs to the profile the
// repeat began in; over another profile's window the repeat ends.
void pw::RepeatTimerProc(HWND, unsigned, uintptr_t id, unsigned long) {
    // A step that does not arm the next one ends the repeat: the running mark left behind
    // would keep mouse-over switching off for good, as it stands for a repeat under way.
    struct ClearRunningMark {
        ~ClearRunningMark() {
            CThreadLock lock(L"RepeatTimerProc END");
            if (g_uRepeatTimer == kRepeatRunning)
                g_uRepeatTimer = 0;
        }
    } clearRunningMark;
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
    if (!FollowWindow(pt))
        return;

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
