#pragma once

// Which profile applies to a window: the window profiles first (class, parent class,
// caption, quarters, in list order), then the application profiles (by executable
// name), then the default profile. Also the window helpers the matching and the window
// commands share.
//
// Everything here runs on the hook or timer thread with the global lock held.

#include "platform/handles.h"
#include "settings/settings.h"
#include "support/text.h"

#include <string>

class CApplicationSettings;

// Some profile restricts itself to window quarters; set by the settings loader.
extern bool g_bQuadrantsUsed;
// The caption read by the last window-profile lookup (empty when none was read).
extern String g_strLastCaption;

namespace pw::windows {

inline constexpr size_t kClassNameLength = 261;
// Captions this long or longer are not captions but document text.
inline constexpr size_t kMaxCaptionLength = 257;
inline constexpr unsigned kCaptionTimeoutMs = 100;

// The profiles one lookup chooses from.
struct ProfileLists {
    const CSettings::ProfileView* windowProfiles = nullptr;
    const CSettings::ProfileView* applicationProfiles = nullptr;
    CApplicationSettings* defaultProfile = nullptr;
    // Some window profile names a caption; without it no caption is read.
    bool captionProfiles = false;
};

// The lists of settings as last loaded.
ProfileLists ListsOf(const CSettings& settings);

// The profile for hwnd, whose process is processName, with the cursor at pt: the default
// profile when nothing else matches, null only without settings (g_pSettings).
// *overTaskbar tells whether hwnd is the taskbar's button list or one of its thumbnails.
CApplicationSettings* FindProfile(HWND hwnd, const Char* processName, const POINT* pt,
                                  bool* overTaskbar);
// The same lookup among lists.
CApplicationSettings* FindProfileIn(const ProfileLists& lists, HWND hwnd, const Char* processName,
                                    const POINT* pt, bool* overTaskbar);

// The quarter of hwnd's window rectangle that holds pt: a WINDOWMASK bit (1 top left,
// 2 top right, 4 bottom left, 8 bottom right); points on a centre line count as top or
// left. 0 when the window or the point is missing.
int GetWindowQuadrant(HWND hwnd, const POINT* pt);
// Whether pt lies in a quarter of hwnd that profile applies to. Mask 15 always passes,
// 255 never does.
bool IsInProfileQuadrant(HWND hwnd, const CApplicationSettings* profile, const POINT* pt);

// Reads the caption of hwnd with a time-out, so that a hung window cannot stall the
// hook. False (caption left empty) when no profile needs captions, when hwnd belongs to
// the settings program itself, or when the window does not answer in time.
bool GetWindowCaption(HWND hwnd, const Char* processName, String* caption);
// The same without the settings check.
bool ReadWindowCaption(HWND hwnd, const Char* processName, String* caption);

// The window a maximize (3), minimize (6) or restore (9) command should go to, or null
// when that window cannot take it.
HWND GetMinMaxRestoreWnd(HWND hwnd, int showCommand);

// Whether pattern (a reg-ex profile's field) compiles as the matching compiles it; when it
// does not, why receives the engine's reason. A null pattern is not tested, so valid.
bool IsValidProfilePattern(const Char* pattern, std::string* why);

// Forgets the compiled patterns (they are also dropped when too many accumulate).
void ClearPatternCache();

} // namespace pw::windows
