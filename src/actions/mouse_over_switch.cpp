#include "actions/mouse_over_switch.h"

#include "actions/button_processing.h"
#include "actions/process_button.h"
#include "input/system_parameter_requests.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "scroll/lock_axis.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/bounded_copy.h"
#include "support/logger.h"
#include "support/report_exception.h"
#include "support/thread_lock.h"
#include "windows/activate_window.h"
#include "windows/mouse_over.h"
#include "windows/process_name.h"
#include "windows/profile_matching.h"
#include "windows/wheel_window.h"
#include "windows/window_from_point.h"

#include <array>

namespace {

using pw::actions::Low32;

constexpr unsigned kActivateDelayMs = 150;

// Parts of the taskbar: resting on them never activates anything.
constexpr StringView kTaskbarClasses[] = {L"ToolbarWindow32", L"MSTaskListWClass",
                                          L"Shell_TrayWnd"};

bool QuadrantChanged(HWND window, POINT pt) {
    if (!g_bQuadrantsUsed)
        return false;
    const int quadrant = pw::windows::GetWindowQuadrant(window, &pt);
    if (quadrant == g_nLastQuadrant)
        return false;
    CLogger::LogDebug(L"Quadrant changed from %d to %d", g_nLastQuadrant, quadrant);
    g_nLastQuadrant = quadrant;
    return true;
}

bool CaptionChanged(HWND window) {
    if (!g_pSettings || !g_pSettings->HasCaptionProfiles())
        return false;
    String caption;
    if (!pw::windows::GetWindowCaption(window, g_szLastProcess, &caption) ||
        caption == g_strLastCaption)
        return false;
    CLogger::LogDebug(L"Window caption has changed from '%ls' to '%ls'!", g_strLastCaption.c_str(),
                      caption.c_str());
    g_strLastCaption = caption;
    return true;
}

void ArmActivation(HWND window) {
    const pw::windows::WheelTarget& cached = pw::windows::CachedWheelTarget();
    HWND foreground = pw::platform::GetWindows().ForegroundWindow();
    if (!cached.root || cached.root == foreground || window == foreground ||
        cached.rootOwnsForeground)
        return;
    const uintptr_t id = pw::SetThreadTimer(pw::runtime::kActivateTimer, kActivateDelayMs,
                                            pw::ActivateWindowTimerProc);
    if (id != 0)
        g_uActivateTimer = id;
}

void SwitchProfile(HWND window, POINT pt, CApplicationSettings* profile) {
    std::array<Char, pw::windows::kProcessNameCapacity> name{};
    pw::GetProcessNameFromWindow(window, name.data(), static_cast<int>(name.size()),
                                 pw::windows::kCallerMouseMove);
    if (!profile->AxisLocking())
        g_LockAxis.Unlock(false);
    CWheel::Reset();
    if (g_szLastProcess[0])
        CLogger::LogDebug(L"Detected active app/window change (due to mouse over [%d,%d]) from "
                          L"'%ls' (0x%08X) to '%ls' (0x%08X).",
                          static_cast<int>(pt.x), static_cast<int>(pt.y), g_szLastProcess,
                          Low32(g_hLastWindow), name.data(), Low32(window));
    else
        CLogger::LogDebug(L"Detected active app/window change (due to mouse over [%d,%d]) from "
                          L"<unknown> (0x%08X) to '%ls' (0x%08X).",
                          static_cast<int>(pt.x), static_cast<int>(pt.y), Low32(g_hLastWindow),
                          name.data(), Low32(window));
    if (CLogger::DebugEnabled())
        profile->Log(name.data());
    CThreadLock lock(L"ProcessMouseOver");
    pw::CopyString(g_szLastProcess, pw::runtime::kProcessNameLength, name.data());
    pw::SetCurrentProfile(profile);
    CLogger::LogDebug(L"Enabling layer %d", g_nCurrentLayer);
    pw::NewApplicationSettings();
    pw::actions::NotifyProfileChanged(window, profile);
}

} // namespace

bool pw::ProcessMouseOver(POINT pt) {
    // The caption, the quarter and the wheel cache are guarded by the global lock, so the
    // whole check holds it (it never waits on a hung window longer than a caption read).
    // Taken before the window lookup, which only tries the lock: busy there, it would end
    // the check with no window, and the profile would wait for the next movement.
    CThreadLock lock(L"ProcessMouseOver");
    HWND window = nullptr;
    try {
        window = RealWindowFromPoint(pt);
    } catch (...) {
        pw::ReportException(L"ProcessMouseOver - RealWindowFromPoint");
    }
    if (!window)
        return false;
    if (window == g_hLastWindow) {
        const bool quadrantChanged = QuadrantChanged(window, pt);
        const bool captionChanged = CaptionChanged(window);
        if (!quadrantChanged && !captionChanged)
            return true;
        // Evaluated afresh: the cache would answer with the profile of the old caption.
        SetWheelWindow(window, &pt, true, true);
    } else {
        SetWheelWindow(window, &pt, true, false);
    }
    CApplicationSettings* profile = windows::CachedWheelTarget().profile;

    if (g_pSettings && g_pSettings->ActivateOnMouseOver())
        ArmActivation(window);
    if (profile && profile != g_pCurrentApp)
        SwitchProfile(window, pt, profile);
    g_hLastWindow = window;
    return true;
}

void pw::ProcessMouseOverTimerProc(HWND, unsigned, uintptr_t id, unsigned long) {
    POINT pt{};
    bool wasSet = false;
    {
        pw::ScopedTryLock lock(L"ProcessMouseOverTimerProc");
        if (!lock.Held())
            return;
        pt = g_ptMouseOver;
        // Stopped here rather than through the timer thread: the stored id is cleared at
        // once, and a stop request handled after that would find no timer to stop.
        platform::Timers& timers = platform::GetTimers();
        wasSet = g_uMouseOverTimer != 0;
        if (wasSet)
            timers.KillTimer(g_uMouseOverTimer);
        if (id != g_uMouseOverTimer) {
            CLogger::LogMessage(L"ProcessMouseOverTimerProc: Unexpected timer ID 0x%08X (0x%08X)",
                                static_cast<unsigned>(id),
                                static_cast<unsigned>(g_uMouseOverTimer));
            timers.KillTimer(id);
        }
        g_uMouseOverTimer = 0;
        if (!wasSet)
            CLogger::LogDebug(L"ProcessMouseOverTimerProc: No timer set!");
    }
    if (wasSet && !ProcessMouseOver(pt))
        CLogger::LogDebug(
            L"ProcessMouseOverTimerProc: ProcessMouseOver failed - reset timer to retry.");
}

void pw::ActivateWindowTimerProc(HWND, unsigned, uintptr_t, unsigned long) {
    HWND window = nullptr;
    std::array<Char, windows::kClassNameLength> className{};
    {
        pw::ScopedTryLock lock(L"ActivateWindowTimerProc");
        if (!lock.Held()) {
            CLogger::LogDebug(L"Unable to enter critical section in %ls hook as it is locked by "
                              L"'%ls'",
                              L"ActivateWindowTimerProc", CThreadLock::OwnerName());
            return;
        }
        if (g_uActivateTimer)
            platform::GetTimers().KillTimer(g_uActivateTimer);
        g_uActivateTimer = 0;
        window = g_hLastWindow;
        platform::GetWindows().ClassName(window, className.data(),
                                         static_cast<int>(className.size()));
    }
    try {
        const StringView name(className.data());
        for (StringView taskbar : kTaskbarClasses) {
            if (name.find(taskbar) != StringView::npos) {
                CLogger::LogDebug(L"Not activating window %08X (%ls%%)", Low32(window),
                                  className.data());
                return;
            }
        }
        CLogger::LogMessage(L"ActivateTimer: Class='%ls'", className.data());
        ActivateWindow(window);
    } catch (...) {
        pw::ReportException(L"Unexpected exception in ActivateWindowTimerProc()");
    }
}
