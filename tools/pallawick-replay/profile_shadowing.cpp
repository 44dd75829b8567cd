#include "profile_shadowing.h"

#include "settings/actions.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/text_compare.h"

#include <cwchar>
#include <string>

namespace pw::replay {
namespace {

using Profile = CApplicationSettings;

// A plain comparison: the earlier field is not tested, or equals the later one ignoring case.
bool TextCovers(const Char* earlier, const Char* later) {
    return !earlier || (later && EqualsIgnoringCase(earlier, later));
}

// A pattern comparison: the earlier pattern is not tested, or is the very same text.
bool PatternCovers(const Char* earlier, const Char* later) {
    return !earlier || (later && std::wcscmp(earlier, later) == 0);
}

// The earlier profile passes the quarter test wherever the later one does.
bool MaskCovers(const Profile& earlier, const Profile& later) {
    return earlier.GetWindowMask() == wmWholeWindow ||
           earlier.GetWindowMask() == later.GetWindowMask();
}

// A window profile that tests nothing: it takes every window of every process.
bool MatchesEveryWindow(const Profile& profile) {
    if (profile.GetApplication() || profile.GetClass() || profile.GetParentClass() ||
        profile.GetCaption())
        return false;
    // A pattern profile with "no parent" refuses every window that has one.
    if (profile.RegExMatching() && profile.NoParent())
        return false;
    return profile.GetWindowMask() == wmWholeWindow;
}

// Plain matching: each field equal, and the parent test passes wherever the later one's
// does (a "no parent" profile also takes top-level windows).
bool SimpleCovers(const Profile& earlier, const Profile& later) {
    if (!TextCovers(earlier.GetApplication(), later.GetApplication()) ||
        !TextCovers(earlier.GetClass(), later.GetClass()) ||
        !TextCovers(earlier.GetCaption(), later.GetCaption()))
        return false;
    if (earlier.GetParentClass()) {
        if (!TextCovers(earlier.GetParentClass(), later.GetParentClass()))
            return false;
        if (later.NoParent() && !earlier.NoParent())
            return false;
    }
    return MaskCovers(earlier, later);
}

// Pattern matching: the same patterns or fewer; "no parent" refuses windows with one.
bool RegExCovers(const Profile& earlier, const Profile& later) {
    if (!PatternCovers(earlier.GetApplicationPattern(), later.GetApplicationPattern()) ||
        !PatternCovers(earlier.GetClass(), later.GetClass()) ||
        !PatternCovers(earlier.GetParentClass(), later.GetParentClass()) ||
        !PatternCovers(earlier.GetCaption(), later.GetCaption()))
        return false;
    if (earlier.NoParent() && !later.NoParent())
        return false;
    return MaskCovers(earlier, later);
}

bool WindowProfileCovers(const Profile& earlier, const Profile& later) {
    if (MatchesEveryWindow(earlier))
        return true;
    if (earlier.RegExMatching() != later.RegExMatching())
        return false;
    return earlier.RegExMatching() ? RegExCovers(earlier, later) : SimpleCovers(earlier, later);
}

// A window profile that takes every window of the application profile's process(es).
bool CoversApplication(const Profile& window, const Profile& application) {
    if (MatchesEveryWindow(window))
        return true;
    if (window.RegExMatching() || window.GetClass() || window.GetParentClass() ||
        window.GetCaption() || window.GetWindowMask() != wmWholeWindow)
        return false;
    return TextCovers(window.GetApplication(), application.GetApplication());
}

std::string NameOf(const Profile& profile) {
    const Char* name = profile.GetFullName();
    return name ? ToUtf8(name) : std::string();
}

void Report(const Profile& shadowed, const Profile& winner, std::vector<Finding>& findings) {
    findings.push_back({NameOf(shadowed),
                        0,
                        {},
                        "shadowed",
                        "never chosen: the earlier profile \"" + NameOf(winner) +
                            "\" takes every window this one would"});
}

bool Enabled(const Profile* profile) {
    return profile && profile->IsEnabled();
}

} // namespace

void CheckShadowedProfiles(const CSettings& settings, std::vector<Finding>& findings) {
    const CSettings::ProfileView& windows = settings.GetCustomApplications();
    const CSettings::ProfileView& applications = settings.GetApplications();

    for (size_t later = 0; later < windows.size(); ++later) {
        if (!Enabled(windows[later]))
            continue;
        for (size_t earlier = 0; earlier < later; ++earlier) {
            if (Enabled(windows[earlier]) &&
                WindowProfileCovers(*windows[earlier], *windows[later])) {
                Report(*windows[later], *windows[earlier], findings);
                break;
            }
        }
    }

    for (size_t later = 0; later < applications.size(); ++later) {
        const Profile* profile = applications[later];
        if (!Enabled(profile))
            continue;
        const Profile* winner = nullptr;
        for (const Profile* window : windows) {
            if (Enabled(window) && CoversApplication(*window, *profile)) {
                winner = window;
                break;
            }
        }
        for (size_t earlier = 0; earlier < later && !winner; ++earlier) {
            const Profile* candidate = applications[earlier];
            if (Enabled(candidate) &&
                TextCovers(candidate->GetApplication(), profile->GetApplication()))
                winner = candidate;
        }
        if (winner)
            Report(*profile, *winner, findings);
    }
}

} // namespace pw::replay
