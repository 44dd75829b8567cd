#include "windows/profile_matching.h"

#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/text_compare.h"
#include "support/thread_lock.h"
#include "windows/application_profile_index.h"

#include <array>
#include <map>
#include <memory>
#include <regex>

bool g_bQuadrantsUsed = false;
String g_strLastCaption;

namespace pw::windows {

namespace {

constexpr StringView kSettingsProgram = L"Pallawick.exe";
constexpr StringView kTaskbarThumbnail = L"TaskListThumbnailWnd";
constexpr StringView kTaskbarButtons = L"MSTaskListWClass";
// Edits between reloads bring new patterns; beyond this many the cache starts afresh.
constexpr size_t kMaxCachedPatterns = 512;

enum class PatternCase { Sensitive, Ignored };

// A profile's pattern as the matching compiles it; throws std::regex_error when invalid.
std::unique_ptr<std::wregex> CompilePattern(const Char* pattern, PatternCase patternCase) {
    auto flags = std::regex::ECMAScript;
    if (patternCase == PatternCase::Ignored)
        flags |= std::regex::icase;
    return std::make_unique<std::wregex>(pattern, flags);
}

// Compiled patterns by their text, shared by every profile that uses the same text.
// Cleared when the library starts and at every reload, and when it grows past its bound.
// Guarded by the global lock, which every lookup holds.
class PatternCache {
  public:
    // The compiled pattern, or null when it is not a valid expression (logged once).
    const std::wregex* Find(const Char* pattern, PatternCase patternCase, const Char* profile) {
        // The same text compiled with and without regard to case are two expressions.
        auto& compiled = compiled_[patternCase == PatternCase::Ignored ? 1 : 0];
        StringView text(pattern);
        auto found = compiled.find(text);
        if (found != compiled.end())
            return found->second.get();
        if (compiled.size() >= kMaxCachedPatterns)
            compiled.clear();
        std::unique_ptr<std::wregex> expression;
        try {
            expression = CompilePattern(pattern, patternCase);
        } catch (const std::exception&) {
            // Logged and skipped rather than thrown: one bad pattern must not end every lookup.
            CLogger::LogMessage(
                L"FindProfile: Invalid regular expression '%ls' in profile '%ls' is ignored.",
                pattern, Printable(profile));
        }
        const std::wregex* result = expression.get();
        compiled.emplace(String(text), std::move(expression));
        return result;
    }

    void Clear() {
        for (auto& compiled : compiled_)
            compiled.clear();
    }

  private:
    std::array<std::map<String, std::unique_ptr<std::wregex>, std::less<>>, 2> compiled_;
};

PatternCache& Patterns() {
    static PatternCache cache;
    return cache;
}

ApplicationProfileIndex& ApplicationIndex() {
    static ApplicationProfileIndex index;
    return index;
}

// A null pattern is not tested; an invalid one never matches.
bool PatternFound(const Char* pattern, StringView text, const CApplicationSettings& profile,
                  PatternCase patternCase = PatternCase::Sensitive) {
    if (!pattern)
        return true;
    const std::wregex* expression = Patterns().Find(pattern, patternCase, profile.GetDescription());
    if (!expression)
        return false;
    try {
        return std::regex_search(text.begin(), text.end(), *expression);
    } catch (const std::exception&) {
        CLogger::LogMessage(L"FindProfile: Regular expression '%ls' of profile '%ls' failed on "
                            L"'%ls'.",
                            pattern, Printable(profile.GetDescription()), String(text).c_str());
        return false;
    }
}

// A null field is not tested.
bool FieldEquals(const Char* field, StringView text) {
    return !field || EqualsIgnoringCase(field, text);
}

// What one lookup knows of the window; every text is terminated (empty, never null).
struct WindowFacts {
    HWND window = nullptr;
    const POINT* point = nullptr;
    const Char* process = L"";
    const Char* className = L"";
    const Char* parentClass = L"";
    bool hasParent = false;
    const Char* caption = L"";
};

bool QuarterMatches(const WindowFacts& facts, const CApplicationSettings& profile) {
    return !g_bQuadrantsUsed || IsInProfileQuadrant(facts.window, &profile, facts.point);
}

bool SimpleMatch(const WindowFacts& facts, const CApplicationSettings& profile) {
    if (!FieldEquals(profile.GetApplication(), facts.process))
        return false;
    if (!FieldEquals(profile.GetClass(), facts.className))
        return false;
    bool parentPasses = !facts.hasParent && profile.NoParent();
    if (!parentPasses && !FieldEquals(profile.GetParentClass(), facts.parentClass))
        return false;
    if (!FieldEquals(profile.GetCaption(), facts.caption))
        return false;
    return QuarterMatches(facts, profile);
}

bool PatternMatch(const WindowFacts& facts, const CApplicationSettings& profile) {
    // The application pattern as written, without regard to case as process names are.
    if (!PatternFound(profile.GetApplicationPattern(), facts.process, profile,
                      PatternCase::Ignored))
        return false;
    if (!PatternFound(profile.GetClass(), facts.className, profile))
        return false;
    if (facts.hasParent && profile.NoParent())
        return false;
    if (!PatternFound(profile.GetParentClass(), facts.hasParent ? facts.parentClass : L"", profile))
        return false;
    if (!PatternFound(profile.GetCaption(), facts.caption, profile))
        return false;
    return QuarterMatches(facts, profile);
}

CApplicationSettings* MatchWindowProfile(const ProfileLists& lists, const WindowFacts& facts) {
    for (CApplicationSettings* profile : *lists.windowProfiles) {
        if (!profile || !profile->IsEnabled())
            continue;
        bool pattern = profile->RegExMatching();
        if (!(pattern ? PatternMatch(facts, *profile) : SimpleMatch(facts, *profile)))
            continue;
        CLogger::LogDebug(pattern ? L"Found window profile '%ls' for '%ls', '%ls', '%ls', '%ls' "
                                    L"[reg-ex]."
                                  : L"Found window profile '%ls' for '%ls', '%ls', '%ls', '%ls' "
                                    L"[simple match].",
                          Printable(profile->GetDescription()), facts.process, facts.caption,
                          facts.className, facts.parentClass);
        return profile;
    }
    return nullptr;
}

CApplicationSettings* MatchApplicationProfile(const ProfileLists& lists, const Char* processName) {
    if (!lists.applicationProfiles)
        return nullptr;
    CApplicationSettings* profile =
        ApplicationIndex().Find(*lists.applicationProfiles, processName);
    if (profile)
        CLogger::LogDebug(L"Found application profile '%ls' for '%ls'.",
                          Printable(profile->GetDescription()), Printable(processName));
    return profile;
}

// The class of window into buffer; false (buffer empty) when it cannot be read.
bool ReadClass(HWND window, std::array<Char, kClassNameLength>& buffer) {
    buffer[0] = 0;
    if (!window)
        return false;
    int length =
        platform::GetWindows().ClassName(window, buffer.data(), static_cast<int>(buffer.size()));
    if (length <= 0) {
        buffer[0] = 0;
        return false;
    }
    return true;
}

} // namespace

ProfileLists ListsOf(const CSettings& settings) {
    PW_ASSERT_LOCK_HELD();
    ProfileLists lists;
    lists.windowProfiles = &settings.GetCustomApplications();
    lists.applicationProfiles = &settings.GetApplications();
    lists.defaultProfile = settings.GetDefaultApp();
    lists.captionProfiles = settings.HasCaptionProfiles();
    return lists;
}

CApplicationSettings* FindProfile(HWND hwnd, const Char* processName, const POINT* pt,
                                  bool* overTaskbar) {
    if (overTaskbar)
        *overTaskbar = false;
    CThreadLock lock(L"FindProfile");
    if (!g_pSettings) {
        CLogger::LogDebug(L"FindProfile: No settings to find a profile in.");
        return nullptr;
    }
    return FindProfileIn(ListsOf(*g_pSettings), hwnd, processName, pt, overTaskbar);
}

CApplicationSettings* FindProfileIn(const ProfileLists& lists, HWND hwnd, const Char* processName,
                                    const POINT* pt, bool* overTaskbar) {
    PW_ASSERT_LOCK_HELD();
    if (overTaskbar)
        *overTaskbar = false;
    if (lists.windowProfiles && !lists.windowProfiles->empty()) {
        std::array<Char, kClassNameLength> className;
        std::array<Char, kClassNameLength> parentClass;
        ReadClass(hwnd, className);
        bool hasParent = hwnd && ReadClass(platform::GetWindows().Parent(hwnd), parentClass);
        if (!hasParent)
            parentClass[0] = 0;
        StringView classView(className.data());
        if (overTaskbar)
            *overTaskbar = classView.find(kTaskbarThumbnail) != StringView::npos ||
                           classView.find(kTaskbarButtons) != StringView::npos;

        String caption;
        if (!lists.captionProfiles || !ReadWindowCaption(hwnd, processName, &caption))
            caption.clear();
        g_strLastCaption = caption;

        WindowFacts facts;
        facts.window = hwnd;
        facts.point = pt;
        facts.process = Printable(processName);
        facts.className = className.data();
        facts.parentClass = parentClass.data();
        facts.hasParent = hasParent;
        facts.caption = caption.c_str();
        if (CApplicationSettings* profile = MatchWindowProfile(lists, facts))
            return profile;
    }
    if (CApplicationSettings* profile = MatchApplicationProfile(lists, processName))
        return profile;
    return lists.defaultProfile;
}

int GetWindowQuadrant(HWND hwnd, const POINT* pt) {
    PW_ASSERT_LOCK_HELD();
    RECT rect{};
    if (!pt || !platform::GetWindows().WindowRect(hwnd, rect))
        return wmNone;
    bool bottom = pt->y > rect.top + (rect.bottom - rect.top) / 2;
    bool right = pt->x > rect.left + (rect.right - rect.left) / 2;
    if (bottom)
        return right ? wmBottomRight : wmBottomLeft;
    return right ? wmTopRight : wmTopLeft;
}

bool IsInProfileQuadrant(HWND hwnd, const CApplicationSettings* profile, const POINT* pt) {
    PW_ASSERT_LOCK_HELD();
    if (!profile || profile->GetWindowMask() == wmNeverMatches)
        return false;
    if (profile->GetWindowMask() == wmWholeWindow)
        return true;
    return (GetWindowQuadrant(hwnd, pt) & profile->GetWindowMask()) != 0;
}

bool GetWindowCaption(HWND hwnd, const Char* processName, String* caption) {
    PW_ASSERT_LOCK_HELD();
    if (!g_pSettings || !g_pSettings->HasCaptionProfiles())
        return false;
    return ReadWindowCaption(hwnd, processName, caption);
}

bool ReadWindowCaption(HWND hwnd, const Char* processName, String* caption) {
    PW_ASSERT_LOCK_HELD();
    if (!caption || !hwnd)
        return false;
    // The settings program's own windows are never asked.
    if (EqualsIgnoringCase(ViewOf(processName), kSettingsProgram))
        return false;
    platform::Windows& windows = platform::GetWindows();
    size_t length = 0;
    if (!windows.TextLengthWithTimeout(hwnd, kCaptionTimeoutMs, length)) {
        CLogger::LogDebug(L"GetWindowCaption: WM_GETTEXTLENGTH timed out!");
        return false;
    }
    if (length >= kMaxCaptionLength) {
        CLogger::LogDebug(
            L"GetWindowCaption: WM_GETTEXTLENGTH returned %d which is too long to be a caption!",
            static_cast<int>(length));
        return false;
    }
    if (length == 0)
        return false;
    std::array<Char, kMaxCaptionLength + 1> buffer{};
    size_t copied = 0;
    if (!windows.TextWithTimeout(hwnd, buffer.data(), length + 1, kCaptionTimeoutMs, copied)) {
        CLogger::LogDebug(L"GetWindowCaption: WM_GETTEXT timed out!");
        return false;
    }
    buffer[std::min(copied, length)] = 0;
    caption->assign(buffer.data());
    CLogger::LogDebug(L"GetWindowCaption: WM_GETTEXT returned '%ls'", buffer.data());
    return true;
}

HWND GetMinMaxRestoreWnd(HWND hwnd, int showCommand) {
    PW_ASSERT_LOCK_HELD();
    constexpr int kMaximize = 3;
    constexpr int kMinimize = 6;
    constexpr int kRestore = 9;
    platform::Windows& windows = platform::GetWindows();
    HWND target = nullptr;
    platform::GuiThreadWindows gui;
    unsigned long thread = windows.ThreadProcessId(hwnd, nullptr);
    if (thread && windows.GuiThreadInfo(thread, gui))
        target = gui.active;
    if (!target)
        target = windows.Ancestor(hwnd, platform::kGaRoot);
    if (!target)
        return nullptr;

    unsigned long style = windows.WindowLong(target, platform::kGwlStyle);
    if ((style & (platform::kWsCaption | platform::kWsSysMenu)) == 0) {
        std::array<Char, kClassNameLength> className;
        ReadClass(target, className);
        StringView name(className.data());
        if (name.find(L"VMUIFrame") != StringView::npos) {
            CLogger::LogDebug(L"GetMinMaxRestoreWnd: Detected VMWare full screen.");
            return target;
        }
        if (name.find(L"QWidget") != StringView::npos) {
            CLogger::LogDebug(L"GetMinMaxRestoreWnd: Detected VirtuaBox full screen.");
            return target;
        }
        return nullptr;
    }
    switch (showCommand) {
    case kMaximize:
        return style & platform::kWsMaximizeBox ? target : nullptr;
    case kMinimize:
        return style & platform::kWsMinimizeBox ? target : nullptr;
    case kRestore:
        return target;
    default:
        return nullptr;
    }
}

bool IsValidProfilePattern(const Char* pattern, std::string* why) {
    if (!pattern)
        return true;
    try {
        CompilePattern(pattern, PatternCase::Sensitive);
        return true;
    } catch (const std::exception& error) {
        if (why)
            *why = error.what() ? error.what() : "";
    }
    return false;
}

void ClearPatternCache() {
    PW_ASSERT_LOCK_HELD();
    Patterns().Clear();
    ApplicationIndex().Clear();
}

} // namespace pw::windows
