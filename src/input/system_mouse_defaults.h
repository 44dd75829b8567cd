#pragma once

// The system's mouse settings as the library found them when it was loaded. Profiles
// that leave the button swap or the wheel alone fall back to these, and they are put
// back when the hooks are removed and when the library unloads.

namespace pw::input {

struct SystemMouseDefaults {
    bool buttonsSwapped = false;
    unsigned scrollLinesRead = 3; // as the system reported them; restored at unload
    unsigned scrollLines = 3;     // 3 when the system reported 0
    unsigned scrollChars = 3;     // 3 when the system reported 0 or the page value
    bool pageScroll = false;      // the system scrolls one page per notch
};

// Reads the current settings through the platform.
SystemMouseDefaults ReadSystemMouseDefaults();

} // namespace pw::input

// Captured at library load; guarded by the global lock.
extern pw::input::SystemMouseDefaults g_SystemMouseDefaults;

namespace pw {

// Reads the system's settings into g_SystemMouseDefaults.
void CaptureSystemMouseDefaults();

} // namespace pw
