#include "settings/os_version.h"

#include "platform/platform.h"

namespace pw::settings {

_ActionOSVersion OsVersionFromNumbers(unsigned long major, unsigned long minor) {
    if (major == 5)
        return minor == 0 ? osWindows2000 : osWindowsXP;
    if (major == 6) {
        switch (minor) {
        case 0:
            return osWindowsVista;
        case 1:
            return osWindows7;
        case 2:
            return osWindows8;
        case 3:
            return osWindows81;
        case 4:
            return osWindows10;
        default:
            return osOtherVersion;
        }
    }
    if (major == 10 && minor == 0)
        return osWindows10;
    return osOtherVersion;
}

} // namespace pw::settings

_ActionOSVersion GetOSVersion() {
    unsigned long major = 0;
    unsigned long minor = 0;
    if (!pw::platform::GetSystemInfo().OsVersion(major, minor))
        return osUnknown;
    return pw::settings::OsVersionFromNumbers(major, minor);
}
