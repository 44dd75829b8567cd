#include "scroll/scroll_window.h"

#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "scroll/movement_to_scroll.h"
#include "scroll/scroll_methods.h"
#include "scroll/wheel_target.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/thread_lock.h"
#include "windows/integrity.h"
#include "windows/wheel_window.h"
#include "windows/window_from_point.h"

namespace {

struct ScrollAxis {
    unsigned scrollMessage;
    unsigned wheelMessage;
    bool (CApplicationSettings::*inverted)() const;
    int (CApplicationSettings::*multiplier)() const;
};

constexpr ScrollAxis kVertical{pw::platform::kWmVScroll, pw::platform::kWmMouseWheel,
                               &CApplicationSettings::InvertedScrolling,
                               &CApplicationSettings::AdvScrollVertical};
constexpr ScrollAxis kHorizontal{pw::platform::kWmHScroll, pw::platform::kWmMouseHWheel,
                                 &CApplicationSettings::InvertedHorzScrolling,
                                 &CApplicationSettings::AdvScrollHorizontal};

bool ActivateOnScroll() {
    return g_pSettings && g_pSettings->ActivateOnScroll();
}

// The plain wheel message, when no scroll method took the amount; never to a more
// privileged process.
bool PostWheel(const ScrollAxis& axis, HWND window, POINT point, int amount) {
    if (!pw::windows::MayPostTo(pw::windows::WheelWindowIntegrity(window)))
        return false;
    return pw::platform::GetMessages().PostMessage(
        window, axis.wheelMessage, static_cast<WPARAM>(pw::scroll::MakeParam(0, amount)),
        static_cast<LPARAM>(pw::scroll::MakeParam(point.x, point.y)));
}

bool ScrollWindowAt(const ScrollAxis& axis, POINT point, int amount) {
    using namespace pw::scroll;
    PW_ASSERT_LOCK_HELD();
    HWND window = RealWindowFromPoint(point);
    if (!window)
        return false;
    HWND foreground = pw::platform::GetWindows().ForegroundWindow();
    if (!pw::SetWheelWindow(window, &point, false, true)) {
        if (g_pCurrentApp && (g_pCurrentApp->*axis.inverted)())
            amount = -amount;
        if (ActivateOnScroll())
            pw::ActivateWindowUnderCursor(foreground, window, window);
        if (!pw::Scroll(window, axis.scrollMessage, Cut16(amount), kMethodLineCommands))
            PostWheel(axis, window, point, Cut16(amount));
        return true;
    }
    const pw::windows::WheelTarget& cached = pw::windows::CachedWheelTarget();
    CApplicationSettings* profile = cached.profile;
    HWND target = cached.target;
    const int method = cached.scrollMethod;
    if ((profile->*axis.inverted)())
        amount = -amount;
    if (!IsDefaultMethod(method))
        amount = Cut16(static_cast<long long>(amount) * (profile->*axis.multiplier)());
    if (ActivateOnScroll())
        pw::ActivateWindowUnderCursor(foreground, target, window);
    g_MovementToScroll.offsetX = 0;
    g_MovementToScroll.offsetY = 0;
    if (!pw::Scroll(target, axis.scrollMessage, Cut16(amount), method))
        PostWheel(axis, target, point, Cut16(amount));
    return true;
}

} // namespace

bool pw::veskScrollWindow(POINT point, int amount) {
    return ScrollWindowAt(kVertical, point, amount);
}

bool pw::veskHScrollWindow(POINT point, int amount) {
    return ScrollWindowAt(kHorizontal, point, amount);
}
