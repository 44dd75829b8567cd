#include "platform/platform.h"
#include "scroll/wheel_redirection.h"
#include "support/logger.h"
#include "windows/integrity.h"
#include "windows/profile_matching.h"
#include "windows/wheel_window.h"

#include <array>

// Store apps take their wheel input from the system alone; a more privileged process
// would drop the message.
bool pw::IsInjectedScrollRedirectable(HWND window) {
    std::array<Char, windows::kClassNameLength> name{};
    const int length =
        platform::GetWindows().ClassName(window, name.data(), static_cast<int>(name.size()));
    const StringView className(name.data(), length > 0 ? static_cast<size_t>(length) : 0);
    if (className.starts_with(L"ApplicationFrameInputSinkWindow") ||
        className.starts_with(L"Windows.UI.Core.CoreWindow"))
        return false;
    if (g_dwOurIntegrity >= platform::kIntegrityHigh)
        return true;
    const unsigned long level = windows::WheelWindowIntegrity(window);
    if (level > g_dwOurIntegrity) {
        CLogger::LogDebug(
            L"IsInjectedScrollRedirectable: Process integrity 0x%08X > our integrity 0x%08X - "
            L"abort",
            static_cast<unsigned>(level), static_cast<unsigned>(g_dwOurIntegrity));
        return false;
    }
    CLogger::LogDebug(
        L"IsInjectedScrollRedirectable: Process integrity 0x%08X <= our integrity 0x%08X - "
        L"continue",
        static_cast<unsigned>(level), static_cast<unsigned>(g_dwOurIntegrity));
    return true;
}
