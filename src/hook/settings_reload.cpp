#include "hook/settings_reload.h"

#include "actions/action_state.h"
#include "actions/process_button.h"
#include "actions/sticky_keys.h"
#include "hook/hook_procedures.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "scroll/scroll_timers.h"
#include "settings/application_settings.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "support/bounded_copy.h"
#include "support/format.h"
#include "support/logger.h"
#include "support/report_exception.h"
#include "support/thread_lock.h"
#include "windows/process_name_cache.h"
#include "windows/profile_matching.h"
#include "windows/wheel_window.h"

bool g_bFirstSettingsLoad = true;

namespace pw::hook {

namespace {

using folders::kMaxPath;

constexpr unsigned kJigglerCheckMs = 10000;
// Message box buttons and answers (system values).
constexpr unsigned kMbAbortRetryIgnore = 0x2;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;

// The current profile across a reload: the default one, or one found again by name.
struct RememberedProfile {
    bool any = false;
    bool isDefault = false;
    String name;
};

RememberedProfile Remember() {
    RememberedProfile remembered;
    if (!g_pCurrentApp || !g_pSettings)
        return remembered;
    remembered.any = true;
    remembered.isDefault = g_pCurrentApp == g_pSettings->GetDefaultApp();
    if (!remembered.isDefault && g_pCurrentApp->GetFullName())
        remembered.name = g_pCurrentApp->GetFullName();
    return remembered;
}

CApplicationSettings* Find(const RememberedProfile& remembered) {
    if (!remembered.any || !g_pSettings)
        return nullptr;
    if (remembered.isDefault)
        return g_pSettings->GetDefaultApp();
    return g_pSettings->GetApplication(remembered.name.c_str());
}

enum class ParseErrorAnswer { Abort, Retry, Ignore };

ParseErrorAnswer AskAfterParseError() {
    Char text[CLogger::kMaxLine] = {};
    Format(text, CLogger::kMaxLine,
           L"An error occurred while parsing the XML settings file.\nYour settings have not "
           L"been loaded.\n\nPress Abort to quit %ls and fix your settings file before "
           L"continuing or you may loose your settings!",
           folders::kAppDisplayName);
    const int answer = platform::GetDialogs().MessageBox(
        nullptr, text, folders::kAppDisplayName, kMbAbortRetryIgnore | platform::kMbIconError);
    if (answer == kIdAbort)
        return ParseErrorAnswer::Abort;
    if (answer == kIdRetry)
        return ParseErrorAnswer::Retry;
    return ParseErrorAnswer::Ignore;
}

// Loads until the file parses or, on the first load, the user gives up.
bool LoadUntilDecided(const Char* path) {
    for (;;) {
        g_pCurrentApp = nullptr;
        if (g_pSettings->Load(path, g_bQuadrantsUsed, true)) {
            pw::SetCurrentProfile(g_pSettings->GetDefaultApp());
            return true;
        }
        CLogger::LogMessage(L"LoadXMLSettings: Error parsing XML file '%ls'.", path);
        if (!g_bFirstSettingsLoad)
            return false;
        switch (AskAfterParseError()) {
        case ParseErrorAnswer::Abort:
            CLogger::LogMessage(L"LoadXMLSettings: User selected abort.");
            platform::GetThreads().ExitProcess(1);
            return false;
        case ParseErrorAnswer::Retry:
            continue;
        case ParseErrorAnswer::Ignore:
            CLogger::LogMessage(L"LoadXMLSettings: User selected ignore.");
            return false;
        }
    }
}

void ApplyProcessPriority() {
    const auto priorityClass = static_cast<unsigned long>(g_pSettings->CPUPriority());
    if (!platform::GetThreads().SetProcessPriorityClass(priorityClass))
        CLogger::LogOSMessage(platform::GetDiagnostics().LastError(),
                              L"Unable to set process priority.");
}

// The jiggler watches for inactivity from now on.
void StartJiggler() {
    if (!g_pSettings->MouseJiggler())
        return;
    if (g_pSettings->get_MouseJigglerTickTimeout() == 0) {
        CLogger::LogMessage(L"HookDLL: Inactivity timeout of %d minutes; the mouse jiggler does "
                            L"not run.",
                            g_pSettings->MouseJigglerTimeout());
        return;
    }
    g_dwLastInputTick = platform::TickCount();
    g_bInputSeen = true;
    if (runtime::TimerProc proc = JigglerTimerProcedure())
        pw::SetThreadTimer(runtime::kJigglerTimer, kJigglerCheckMs, proc);
}

// Held presses, a held wheel or tilt, keys held for a press, sticky states and a chord
// being played belong to slots of the profiles about to be replaced: they end before the
// reload, through the profiles that began them, so nothing stays pressed and nothing points
// into deleted profiles.
void ReleaseWhatPointsIntoTheSettings() {
    POINT pt{};
    platform::GetWindows().CursorPos(pt);
    // Departs from dropping the pending scroll record: its "up" half would be lost.
    scroll::EndPendingScroll();
    pw::EndHeldPresses(pt);
    pw::ResetDuringKeys(pt);
    pw::ResetAllSticky(pt);
    g_pCurrentChord = nullptr;
}

} // namespace

bool LoadXMLSettings() {
    if (!g_pSettings)
        return false;
    Char folder[kMaxPath] = {};
    if (GetSettingsFolder(folder, kMaxPath) != 0) {
        CLogger::LogMessage(L"Unable to get settings folder");
        return false;
    }
    Char path[kMaxPath] = {};
    if (CopyString(path, kMaxPath, folder) != 0 ||
        AppendString(path, kMaxPath, folders::kSettingsFileName) != 0 ||
        !platform::GetFileSystem().Exists(path)) {
        CLogger::LogOSMessage(platform::GetDiagnostics().LastError(),
                              L"Unable to find the settings file '%ls' in: '%ls'",
                              folders::kSettingsFileName, folder);
        return false;
    }
    const bool loaded = LoadUntilDecided(path);
    g_bFirstSettingsLoad = false;
    return loaded;
}

bool LoadSettings() {
    CThreadLock lock(L"LoadSettings");
    if (!g_pSettings)
        return false;
    const uint32_t start = platform::TickCount();
    const bool quadrantsUsed = g_bQuadrantsUsed;
    g_bQuadrantsUsed = false;
    if (g_uJigglerTimer != 0)
        pw::KillThreadTimer(runtime::kJigglerTimer);
    const RememberedProfile remembered = Remember();
    ReleaseWhatPointsIntoTheSettings();

    if (!LoadXMLSettings()) {
        CLogger::LogMessage(L"HookDLL: Unable to load XML settings");
        // The settings in force before stay so, with their profile.
        g_bQuadrantsUsed = quadrantsUsed;
        g_pCurrentApp = Find(remembered);
        return false;
    }
    CWheel::Reset();
    pw::windows::ClearProcessNameCache();
    // Patterns of profiles the new settings dropped would otherwise stay compiled for good.
    pw::windows::ClearPatternCache();
    g_pCurrentApp = nullptr;
    pw::SetCurrentProfile(Find(remembered));
    CLogger::LogDebug(L"HookDLL: Load Settings took %dms",
                      static_cast<int>(platform::TickCount() - start));
    ApplyProcessPriority();
    StartJiggler();
    return true;
}

} // namespace pw::hook

// The main program learns of a failed load from the log and the dialog; the answer is
// always false.
PW_EXTERN_C bool UpdateSettings() {
    try {
        pw::hook::LoadSettings();
    } catch (...) {
        pw::ReportException(L"UpdateSettings");
    }
    return false;
}
