#include "platform/win32/win32_platform.h"

#include <new>

namespace pw::win32 {

Win32Platform& Win32Platform::Instance() {
    alignas(Win32Platform) static unsigned char storage[sizeof(Win32Platform)];
    static Win32Platform* const instance = new (storage) Win32Platform();
    return *instance;
}

} // namespace pw::win32

namespace pw::platform {

Platform& DefaultPlatform() {
    return win32::Win32Platform::Instance();
}

} // namespace pw::platform
