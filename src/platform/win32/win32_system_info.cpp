#include "platform/win32/win32_api.h"

#include "platform/win32/win32_system_info.h"

namespace pw::win32 {

namespace {
// The fastest repeat speed, and the system's own default.
constexpr unsigned kFastestKeyboardSpeed = 31;
} // namespace

bool Win32SystemInfo::OsVersion(unsigned long& major, unsigned long& minor) {
    // The classic version query: the answer follows the host program's compatibility
    // manifest, which is what the version-gated actions are tuned to.
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)))
        return false;
    major = info.dwMajorVersion;
    minor = info.dwMinorVersion;
    return true;
}

unsigned Win32SystemInfo::KeyboardSpeed() {
    DWORD speed = kFastestKeyboardSpeed;
    if (!SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0))
        return kFastestKeyboardSpeed;
    return speed > kFastestKeyboardSpeed ? kFastestKeyboardSpeed : static_cast<unsigned>(speed);
}

unsigned Win32SystemInfo::KeyboardDelay() {
    constexpr unsigned kLongestKeyboardDelay = 3;
    int delay = 1;
    if (!SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0) || delay < 0)
        return 1;
    return static_cast<unsigned>(delay) > kLongestKeyboardDelay ? kLongestKeyboardDelay
                                                                : static_cast<unsigned>(delay);
}

bool Win32SystemInfo::IsRemoteSession() {
    return GetSystemMetrics(SM_REMOTESESSION) != 0;
}

short Win32SystemInfo::KeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 0xFF)
        return 0;
    return GetKeyState(virtualKey);
}

} // namespace pw::win32
