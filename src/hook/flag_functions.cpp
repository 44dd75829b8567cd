#include "hook/flag_functions.h"

#include "actions/brightness.h"
#include "input/sim_brightness_token.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

#include <cwchar>

namespace {

constexpr int kScrollLockKey = 0x91;

// The option read through getter, or fallback while there is no settings object.
template <typename Getter> bool ReadSetting(const Char* lockName, Getter getter, bool fallback) {
    CThreadLock lock(lockName);
    return g_pSettings ? (g_pSettings->*getter)() : fallback;
}

// The current profile's name as the settings program shows it ("Default" for the default
// profile), else the process of the last window seen.
StringView CurrentProcessName() {
    const Char* name = g_pCurrentApp ? g_pCurrentApp->GetFullName() : nullptr;
    if (name && *name)
        return name;
    return StringView(g_szLastProcess,
                      pw::BoundedLength(g_szLastProcess, pw::runtime::kProcessNameLength));
}

} // namespace

void SetHookMainWindow(HWND window) {
    CThreadLock lock(L"SetHookMainWindow");
    g_hMainWindow = window;
}

void SetHookVolumeOSDWindow(HWND window) {
    CThreadLock lock(L"SetHookVolOSDWindow");
    g_hVolumeOSDWindow = window;
}

void SetHookBrightnessOSDWindow(HWND window) {
    CThreadLock lock(L"SetHookBriOSDWindow");
    if (!g_pBrightness)
        return;
    g_pBrightness->SetOSD(window);
    g_hBrightnessOSDWindow = window;
}

bool GetShowIcon() {
    return ReadSetting(L"GetShowIcon", &CSettings::ShowTrayIcon, true);
}

bool GetReinstallOnResume() {
    CThreadLock lock(L"GetReinstallOnResume");
    return g_pSettings && !g_pSettings->DisableReinstallOnResume();
}

void SetDebug(bool enable) {
    CThreadLock lock(L"SetDebug");
    if (CLogger::DebugEnabled() != enable)
        CLogger::LogMessage(enable ? L"Enabling extra debug logging."
                                   : L"Disabling extra debug logging.");
    // After the log has shut down this only reports that to the debugger output.
    CLogger::EnableDebug(enable);
}

bool GetDebug() {
    CThreadLock lock(L"GetDebug");
    return CLogger::DebugEnabled();
}

bool GetHooked() {
    CThreadLock lock(L"GetHooked");
    return g_hMouseHook != nullptr;
}

void SetOfficeMouse(bool enable) {
    CThreadLock lock(L"SetOfficeMouse");
    if (g_pSettings)
        g_pSettings->SetOfficeMouse(enable);
}

bool GetOfficeMouse() {
    return ReadSetting(L"GetOfficeMouse", &CSettings::OfficeMouse, false);
}

bool NotificatcionsEnabled() {
    return ReadSetting(L"EnableNotifications", &CSettings::Notifications, true);
}

bool CheckVersionEnabled() {
    return ReadSetting(L"CheckVersionEnabled", &CSettings::CheckVersion, true);
}

bool CheckBetaVersionEnabled() {
    return ReadSetting(L"CheckBetaVersionEnabled", &CSettings::CheckBetaVersion, false);
}

int CheckVersionDays() {
    CThreadLock lock(L"CheckVersionDays");
    return g_pSettings ? g_pSettings->CheckVersionDays() : 5;
}

bool GetEnableOSD() {
    return g_pSettings && g_pSettings->EnableOSD();
}

bool GetAlwaysShowOSD() {
    return g_pSettings && g_pSettings->AlwaysShowOSD();
}

CLockAxis* GetAxisLocks() {
    return &g_LockAxis;
}

CHotKeys* GetHotkeys() {
    return g_pSettings ? g_pSettings->GetHotKeys() : nullptr;
}

bool IsVESKDisabled() {
    if (!g_hMouseHook)
        return true;
    CSettings* settings = g_pSettings;
    if (!settings)
        return false;
    auto& system = pw::platform::GetSystemInfo();
    if (settings->DisableInRDP() && system.IsRemoteSession())
        return true;
    if (settings->ScrollLockBypass() && (system.KeyState(kScrollLockKey) & 1))
        return true;
    return false;
}

int GetCurrentProcessName(Char* buffer, int& length) {
    StringView name = CurrentProcessName();
    int n = static_cast<int>(name.size());
    if (!buffer || length < n) {
        length = n;
        return 0;
    }
    std::wmemcpy(buffer, name.data(), name.size());
    // A buffer of exactly n characters gets the name without its terminator rather than a
    // write past its end; the result tells the caller where the name stops.
    if (length > n)
        buffer[n] = 0;
    return n;
}
