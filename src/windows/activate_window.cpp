#include "windows/activate_window.h"

#include "platform/platform.h"
#include "support/logger.h"
#include "windows/profile_matching.h"
#include "windows/wheel_window.h"

#include <array>

namespace {

unsigned Low32(HWND window) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(window));
}

bool ClassContains(HWND window, StringView part) {
    std::array<Char, pw::windows::kClassNameLength> name{};
    const int length =
        pw::platform::GetWindows().ClassName(window, name.data(), static_cast<int>(name.size()));
    if (length <= 0)
        return false;
    return StringView(name.data(), static_cast<size_t>(length)).find(part) != StringView::npos;
}

} // namespace

void pw::ActivateWindow(HWND window) {
    CLogger::LogDebug(L"Activating foreground window: %08X", Low32(window));
    if (window)
        platform::GetWindows().SwitchToThisWindow(window, true);
}

void pw::ActivateWindowForScroll(HWND window, HWND foreground, HWND target) {
    const windows::WheelTarget& cached = windows::CachedWheelTarget();
    if (!cached.root || cached.root == foreground || cached.root == target)
        return;
    if (cached.rootNoActivate) {
        CLogger::LogDebug(
            L"Not activating because window under the cursor has the style WS_EX_NOACTIVATE");
        return;
    }
    if (cached.rootOwnsForeground || ClassContains(window, L"SALSUBFRAME"))
        return;
    if (!ClassContains(window, L"RenderWidgetHost")) {
        ActivateWindow(window);
        return;
    }
    // A browser's content window: only when the browser is not in front already.
    auto& windows = platform::GetWindows();
    if (windows.ThreadProcessId(window, nullptr) != windows.ThreadProcessId(foreground, nullptr))
        ActivateWindow(window);
}
