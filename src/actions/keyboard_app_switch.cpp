#include "actions/keyboard_app_switch.h"

#include "actions/button_processing.h"
#include "actions/process_button.h"
#include "actions/sticky_keys.h"
#include "input/system_parameter_requests.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "scroll/lock_axis.h"
#include "settings/application_settings.h"
#include "support/bounded_copy.h"
#include "support/logger.h"
#include "support/report_exception.h"
#include "support/text_compare.h"
#include "support/thread_lock.h"
#include "windows/focus_window.h"
#include "windows/process_name.h"
#include "windows/profile_matching.h"
#include "windows/wheel_window.h"
#include "windows/window_from_point.h"

#include <algorithm>
#include <array>

namespace {

using pw::actions::Low32;

constexpr StringView kStoreAppInputClass = L"Windows.UI.Core.CoreComponentInputSource";
constexpr int kRepeatStickyEntry = 5;

// The focus window of the foreground window's thread, or the foreground window itself;
// a store app's input window stands for its root window.
HWND FocusedWindow() {
    HWND window = pw::windows::FocusWindowOfForeground();
    if (!window)
        return nullptr;
    pw::platform::Windows& windows = pw::platform::GetWindows();
    std::array<Char, pw::windows::kClassNameLength> className{};
    windows.ClassName(window, className.data(), static_cast<int>(className.size()));
    if (pw::EqualsIgnoringCase(className.data(), kStoreAppInputClass))
        window = windows.Ancestor(window, pw::platform::kGaRoot);
    return window;
}

bool AnyButtonDown() {
    return std::any_of(g_bButtonDown.begin(), g_bButtonDown.end(), [](bool down) { return down; });
}

void LogSwitch(const Char* name) {
    if (g_szLastProcess[0])
        CLogger::LogDebug(L"Detected active app/window change (due to keyboard) from '%ls' to "
                          L"'%ls'.",
                          g_szLastProcess, name);
    else
        CLogger::LogDebug(
            L"Detected active app/window change (due to keyboard) from <unknown> to '%ls'.", name);
}

} // namespace

bool pw::CheckKeyboardAppSwitch() {
    PW_ASSERT_LOCK_HELD();
    HWND window = FocusedWindow();
    POINT pt{};
    GetPhysCursorPos(&pt);
    if ((!window || window == g_hLastWindow) &&
        windows::IsInProfileQuadrant(window, g_pCurrentApp, &pt))
        return false;

    std::array<Char, windows::kProcessNameCapacity> name{};
    unsigned long pid = 0;
    platform::GetWindows().ThreadProcessId(window, &pid);
    int depth = 0;
    pw::GetProcessName(window, pid, name.data(), static_cast<int>(name.size()), &depth,
                       windows::kCallerKeyboard);
    CApplicationSettings* profile = windows::FindProfile(window, name.data(), &pt, nullptr);
    if (profile == g_pCurrentApp) {
        CLogger::LogDebug(L"Detected new HWND %08X (due to keyboard) from %08X. The active "
                          L"profile has not changed.",
                          Low32(window), Low32(g_hLastWindow));
        g_hLastWindow = window;
        return false;
    }

    LogSwitch(name.data());
    CWheel::Reset();
    if (g_uRepeatTimer)
        pw::ResetSticky(POINT{0, 0}, kRepeatStickyEntry, g_nCurrentLayer, -1);
    // A lock set by a button (not by a layer key) ends with a profile that has no axis
    // locking.
    if (profile && !profile->AxisLocking())
        g_LockAxis.Unlock(false);

    // A button held now was pressed under the old profile; its release must end what the
    // press began, so the switch waits for the next press.
    const bool ignored = AnyButtonDown();
    if (ignored) {
        CLogger::LogDebug(L"Changing application settings while button is down... Ignoring app "
                          L"switch until NEXT button down!");
    } else {
        pw::ResetDuringKeys(pt);
        pw::ResetAllSticky(pt);
        if (profile && CLogger::DebugEnabled())
            profile->Log(name.data());
        CopyString(g_szLastProcess, runtime::kProcessNameLength, name.data());
        pw::SetCurrentProfile(profile);
    }
    actions::NotifyProfileChanged(window, profile);
    if (ignored)
        return false;
    g_hLastWindow = window;
    pw::NewApplicationSettings();
    return true;
}

void pw::KeySwitchTimerProc(HWND, unsigned, uintptr_t id, unsigned long) {
    pw::ScopedTryLock lock(L"KeySwitchTimerProc");
    if (!lock.Held()) {
        // The timer still runs and fires again.
        CLogger::LogDebug(L"Unable to enter critical section in %ls hook as it is locked by '%ls'",
                          L"KeySwitchTimerProc", CThreadLock::OwnerName());
        return;
    }
    try {
        platform::Timers& timers = platform::GetTimers();
        if (id != g_uKeySwitchTimer) {
            CLogger::LogMessage(L"KeySwitchTimerProc: Unexpected timer ID 0x%08X (0x%08X)",
                                static_cast<unsigned>(id),
                                static_cast<unsigned>(g_uKeySwitchTimer));
            if (!timers.KillTimer(id))
                CLogger::LogMessage(L"KeySwitchTimerProc: Unable to kill timer 0x%08X",
                                    static_cast<unsigned>(id));
        }
        if (g_uKeySwitchTimer && !timers.KillTimer(g_uKeySwitchTimer))
            CLogger::LogOSMessage(
                platform::GetDiagnostics().LastError(),
                L"KeySwitchTimerProc: Unable to stop timer id 0x%08X (ptrID: "
                L"0x%08X).",
                static_cast<unsigned>(g_uKeySwitchTimer),
                static_cast<unsigned>(reinterpret_cast<uintptr_t>(&g_uKeySwitchTimer)));
        g_uKeySwitchTimer = 0;
        CLogger::LogDebug(L"KeySwitchTimerProc: Checking active app profile...");
        CheckKeyboardAppSwitch();
    } catch (...) {
        pw::ReportException(L"Unexpected exception in KeySwitchTimerProc()");
    }
}
