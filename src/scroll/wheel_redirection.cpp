// Redirection of wheel and tilt events that no action took: to the window under the
// cursor instead of the focused one, with the profile's direction, scroll method and
// multipliers.

#include "scroll/wheel_redirection.h"

#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "scroll/mouse_wheel.h"
#include "scroll/scroll_methods.h"
#include "scroll/wheel_axis.h"
#include "scroll/wheel_target.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "windows/integrity.h"
#include "windows/profile_matching.h"
#include "windows/wheel_window.h"

#include <array>

namespace pw::scroll {

namespace {

constexpr short kKeyDownBit = static_cast<short>(0x8000);

unsigned Low32(HWND window) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(window));
}

int HighWord(DWORD mouseData) {
    return static_cast<int16_t>(static_cast<uint16_t>(mouseData >> 16));
}

const WheelAxis kVertical{
    false,
    L"ScrollVertical",
    platform::kWmVScroll,
    platform::kWmMouseWheel,
    &CApplicationSettings::InvertedScrolling,
    &CApplicationSettings::AdvScrollVertical,
    &pw::MouseWheel,
    L"Not redirecting vertical wheel message as it is over the active window (0x%08X) anyway",
    L"Unable to redirect vertical wheel message 0x%08X to elevated window 0x%08X: '%ls'"};

const WheelAxis kHorizontal{
    true,
    L"ScrollHorizontal",
    platform::kWmHScroll,
    platform::kWmMouseHWheel,
    &CApplicationSettings::InvertedHorzScrolling,
    &CApplicationSettings::AdvScrollHorizontal,
    &pw::MouseTilt,
    L"Not redirecting horizontal wheel message as it is over the active window (0x%08X) anyway",
    L"Unable to redirect horizontal wheel message 0x%08X to elevated window 0x%08X: '%ls'"};

bool ControlHeld() {
    return (platform::GetInput().AsyncKeyState(platform::kVkControl) & kKeyDownBit) != 0;
}

// Whether window is the foreground window or lies inside it.
bool BelongsToForeground(HWND window, HWND foreground) {
    if (!window)
        return !foreground;
    auto& windows = platform::GetWindows();
    for (HWND at = window; at; at = windows.Parent(at)) {
        if (at == foreground)
            return true;
    }
    return false;
}

// The window, profile and target a wheel event is about.
struct WheelEvent {
    HWND foreground = nullptr;
    HWND window = nullptr;
    HWND target = nullptr;
    CApplicationSettings* profile = nullptr;
};

// Ctrl held, redirection switched off globally or by the profile: the profile's own scroll
// method may still scroll the foreground application, or an inverting profile turns the
// event round.
bool WithoutRedirection(const WheelAxis& axis, const WheelEvent& event, int delta, bool ctrl) {
    const CApplicationSettings& profile = *event.profile;
    const int method = profile.AdvScrollMethod();
    if (profile.IsEnabled() && IsDisabledMethod(method))
        return true;
    if (profile.IsEnabled() && !IsDefaultMethod(method)) {
        if (!BelongsToForeground(event.window, event.foreground))
            return false;
        const int amount = Cut16(static_cast<long long>(delta) * (profile.*axis.multiplier)());
        return pw::Scroll(event.target, axis.scrollMessage, amount, ctrl ? kMethodDefault : method);
    }
    if ((g_pCurrentApp->*axis.inverted)())
        return axis.simulate(delta);
    return false;
}

bool Redirect(const WheelAxis& axis, MSLLHOOKSTRUCT* record, int delta) {
    PW_ASSERT_LOCK_HELD();
    if (!record || !g_pSettings || !g_pCurrentApp)
        return false;
    const CSettings& settings = *g_pSettings;
    WheelEvent event{platform::GetWindows().ForegroundWindow(), g_hLastWindow, g_hLastWindow,
                     g_pCurrentApp};

    // With the profile switched on mouse-over, the current window is the one under the
    // cursor already; otherwise the cache tells.
    const bool refresh = axis.horizontal
                             ? !settings.SwitchOnMouseOver()
                             : !(settings.SwitchOnMouseOver() && !settings.ActivateOnScroll());
    if (refresh) {
        if (!pw::UpdateWheelTarget(record))
            return false;
        const windows::WheelTarget& cached = windows::CachedWheelTarget();
        event.profile = cached.profile;
        event.target = cached.target;
        event.window = cached.window;
    }
    if (settings.ActivateOnScroll())
        pw::ActivateWindowUnderCursor(event.foreground, event.target, event.window);

    const CApplicationSettings& profile = *event.profile;
    const bool ctrl = ControlHeld();
    if ((profile.IsEnabled() && profile.GetDisableScrollUnderCursor()) ||
        !settings.ScrollWindowUnderCursor() || ctrl)
        return WithoutRedirection(axis, event, delta, ctrl);

    int sendDelta = delta;
    if (profile.IsEnabled()) {
        const int method = profile.AdvScrollMethod();
        if (IsDisabledMethod(method))
            return true;
        const int multiplier = (profile.*axis.multiplier)();
        const int amount = Cut16(static_cast<long long>(delta) * multiplier);
        if (!IsDefaultMethod(method) &&
            pw::Scroll(event.target, axis.scrollMessage, amount, method))
            return true;
        // The amount is turned round already; only the event's own delta is not.
        if (!IsDefaultMethod(method))
            sendDelta = amount < 0 ? -kWheelDelta * multiplier : kWheelDelta * multiplier;
        else if ((profile.*axis.inverted)())
            sendDelta = -HighWord(record->mouseData);
        else
            sendDelta = HighWord(record->mouseData);
    }

    HWND window = event.window;
    if (!window)
        return false;
    if (window == event.foreground && !(g_pCurrentApp->*axis.inverted)()) {
        // The system delivers it there already.
        CLogger::LogDebug(axis.overActiveWindow, Low32(window));
        return false;
    }

    const int x = static_cast<int>(record->pt.x);
    const int y = static_cast<int>(record->pt.y);
    CLogger::LogDebug(L"%ls: DPI Scaling point (%d,%d) becomes (%d, %d)", axis.function, x, y, x,
                      y);
    std::array<Char, windows::kClassNameLength> name{};
    const int length =
        platform::GetWindows().ClassName(window, name.data(), static_cast<int>(name.size()));
    WheelMessage message;
    message.axis = &axis;
    message.record = record;
    message.window = window;
    message.foreground = event.foreground;
    message.profile = event.profile;
    message.delta = sendDelta;
    message.wParam = MakeParam(static_cast<long>(record->mouseData & 0xFFFF), sendDelta);
    message.lParam = MakeParam(record->pt.x, record->pt.y);
    message.className = StringView(name.data(), length > 0 ? static_cast<size_t>(length) : 0);

    switch (ApplyClassRules(message)) {
    case RuleOutcome::Swallow:
        return true;
    case RuleOutcome::Pass:
        return false;
    case RuleOutcome::Continue:
        break;
    }

    // A message to a more privileged process would be dropped by the system.
    if (!windows::CanSendToProcess(windows::WheelWindowIntegrity(window))) {
        CLogger::LogMessage(axis.elevatedWindow, static_cast<unsigned>(message.wParam),
                            Low32(window), name.data());
        return false;
    }
    if (axis.horizontal)
        CLogger::LogDebug(L"Redirecting horizontal wheel message to 0x%08X", Low32(window));
    else
        CLogger::LogDebug(L"Redirecting vertical wheel message 0x%08X to 0x%08X: '%ls'",
                          static_cast<unsigned>(message.wParam), Low32(window), name.data());
    return PostWheelMessage(message, window, message.wParam);
}

} // namespace

const WheelAxis& VerticalAxis() {
    return kVertical;
}

const WheelAxis& HorizontalAxis() {
    return kHorizontal;
}

bool PostWheelMessage(const WheelMessage& message, HWND window, uintptr_t wParam) {
    return platform::GetMessages().PostMessage(window, message.axis->wheelMessage,
                                               static_cast<WPARAM>(wParam),
                                               static_cast<LPARAM>(message.lParam));
}

} // namespace pw::scroll

bool pw::ScrollVertical(MSLLHOOKSTRUCT* record, int delta) {
    return pw::scroll::Redirect(pw::scroll::VerticalAxis(), record, delta);
}

bool pw::RedirectHorizontalWheel(MSLLHOOKSTRUCT* record) {
    if (!record)
        return false;
    int delta = pw::scroll::HighWord(record->mouseData);
    // Turned round here, as the hook does for the vertical wheel, so that every road
    // below (scroll method, fallback post, simulated tilt) inverts it exactly once.
    if (g_pCurrentApp && g_pCurrentApp->InvertedHorzScrolling())
        delta = -delta;
    return pw::scroll::Redirect(pw::scroll::HorizontalAxis(), record, delta);
}
