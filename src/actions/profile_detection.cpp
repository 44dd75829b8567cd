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
#include "support/text_compare.h"
#include "support/thread_lock.h"
#include "windows/process_name.h"
#include "windows/process_name_cache.h"
#include "windows/profile_matching.h"
#include "windows/wheel_window.h"

#include <array>

namespace pw::actions {

namespace {

constexpr StringView kStoreAppInputClass = L"Windows.UI.Core.CoreComponentInputSource";
constexpr StringView kFoobar = L"foobar2000.exe";
constexpr int kRepeatStickyEntry = 5;

using ProcessName = std::array<Char, windows::kProcessNameCapacity>;

// The process name of a new window into name; the stored name for the last window, a
// missing window or an unknown process.
void ReadProcessName(EventWindow& window, ProcessName& name) {
    if (!window.hwnd || window.hwnd == g_hLastWindow || window.pid == 0) {
        CopyString(name.data(), name.size(), g_szLastProcess);
        return;
    }
    auto& windows = platform::GetWindows();
    std::array<Char, windows::kClassNameLength> className{};
    windows.ClassName(window.hwnd, className.data(), static_cast<int>(className.size()));
    int depth = 0;
    const int nameLength = static_cast<int>(name.size());
    if (pw::EqualsIgnoringCase(className.data(), kStoreAppInputClass)) {
        CLogger::LogDebug(L"ProcessButton: Detected active HWND 0x%08X is "
                          L"Windows.UI.Core.CoreComponentInputSource. Getting root window "
                          L"handle...",
                          Low32(window.hwnd));
        window.hwnd = windows.Ancestor(window.hwnd, platform::kGaRoot);
        window.pid = 0;
        windows.ThreadProcessId(window.hwnd, &window.pid);
        pw::GetProcessName(window.hwnd, window.pid, name.data(), nameLength, &depth,
                           windows::kCallerProcessButton);
        return;
    }
    CLogger::LogDebug(L"ProcessButton: Detected active HWND changed from 0x%08X to 0x%08X. "
                      L"Getting process name...",
                      Low32(g_hLastWindow), Low32(window.hwnd));
    windows::ProcessNameOfWindow(window.hwnd, window.pid, nullptr, name.data(), nameLength,
                                 windows::kCallerProcessButton);
}

bool IsStickyButtonAction(int action) {
    switch (action) {
    case actStickyLeftButton:
    case actStickyRightButton:
    case actStickyMiddleButton:
    case actStickyLeftButtonXAxis:
    case actStickyLeftButtonYAxis:
        return true;
    default:
        return false;
    }
}

// A profile change that arrives with a release is put off when the new profile maps the
// button differently, so that the release ends what the press began. Sticky buttons
// switch at once.
bool MustDeferSwitch(const CApplicationSettings* profile, int button, int kind) {
    if (!g_pCurrentApp || kind != kKindUp)
        return false;
    const auto slotButton = static_cast<MouseButtons>(button);
    _ACTIONS current = g_pCurrentApp->GetActions(slotButton, g_nCurrentLayer);
    _ACTIONS next = profile ? profile->GetActions(slotButton, g_nCurrentLayer) : actNoChange;
    if (current == next || IsStickyButtonAction(next))
        return false;
    CLogger::LogDebug(L"ProcessButton: Changed app/window profile while button was down... "
                      L"Ignoring app switch until NEXT button down!");
    return true;
}

void LogProfileChange(const Char* name) {
    if (g_szLastProcess[0])
        CLogger::LogDebug(L"ProcessButton: Profile/active app/window change (due to mouse button) "
                          L"from '%ls' to '%ls'.",
                          g_szLastProcess, name);
    else
        CLogger::LogDebug(L"ProcessButton: Profile/active app/window change (due to mouse button) "
                          L"from <unknown> to '%ls'.",
                          name);
}

} // namespace

void DetectProfile(EventWindow& window, POINT pt, int button, int kind, bool* passOriginal) {
    PW_ASSERT_LOCK_HELD();
    if (g_uMouseOverTimer) {
        platform::GetTimers().KillTimer(g_uMouseOverTimer);
        g_uMouseOverTimer = 0;
    }
    ProcessName name{};
    ReadProcessName(window, name);

    CApplicationSettings* profile = windows::FindProfile(window.hwnd, name.data(), &pt, nullptr);
    if (profile == g_pCurrentApp) {
        g_hLastWindow = window.hwnd;
        CLogger::LogDebug(L"ProcessButton: Profile has not changed when hWnd changed to %08X.",
                          Low32(window.hwnd));
        return;
    }

    LogProfileChange(name.data());
    CWheel::Reset();
    if (g_uRepeatTimer)
        pw::ResetSticky(POINT{0, 0}, kRepeatStickyEntry, g_nCurrentLayer, -1);
    if (pw::EqualsIgnoringCase(g_szLastProcess, kFoobar)) {
        CLogger::LogDebug(L"ProcessButton: Previous process was Foobar2000.exe. Enabled special "
                          L"'fix up' mode for next button press/release.");
        *passOriginal = true;
    }

    // A lock set by a button (not by a layer key) ends with a profile that has no axis
    // locking.
    if (profile && !profile->AxisLocking())
        g_LockAxis.Unlock(false);

    const bool deferred = MustDeferSwitch(profile, button, kind);
    if (!deferred) {
        pw::ResetDuringKeys(pt);
        pw::ResetAllSticky(pt);
        if (profile && CLogger::DebugEnabled())
            profile->Log(name.data());
        CopyString(g_szLastProcess, runtime::kProcessNameLength, name.data());
        pw::SetCurrentProfile(profile);
    }
    NotifyProfileChanged(window.hwnd, profile);
    if (deferred)
        return;
    g_hLastWindow = window.hwnd;
    pw::NewApplicationSettings();
}

} // namespace pw::actions
