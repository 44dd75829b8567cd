// The wheel and tilt steps of the mouse hook's button path: inversion, the held wheel,
// throttling of notches whose action injects input, fast wheel runs, and the two halves of
// a remapped notch.

#include "actions/process_button.h"
#include "hook/mouse_hook.h"
#include "hook/mouse_hook_paths.h"
#include "hook/mouse_messages.h"
#include "platform/platform.h"
#include "runtime/precise_sleep.h"
#include "runtime/runtime_state.h"
#include "scroll/scroll_timers.h"
#include "scroll/wheel_redirection.h"
#include "settings/actions.h"
#include "settings/application_settings.h"
#include "settings/mouse_buttons.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "windows/window_from_point.h"

#include <algorithm>

uint32_t g_dwLastWheelTick = 0;
int g_nLastWheelButton = 0;
bool g_bThrottleWheel = false;

namespace {

// Notches of the same direction closer than this are throttled when their action injects.
constexpr uint32_t kThrottleMs = 80;
// Notches of the same direction closer than this form a fast run: no window check.
constexpr uint32_t kFastWheelMs = 150;
// The extra pause between the halves of a notch whose action pressed keys.
constexpr unsigned kKeysSentPauseMs = 30;
constexpr short kKeyDownBit = static_cast<short>(0x8000);

bool ButtonHeld(int virtualKey) {
    return (pw::platform::GetInput().AsyncKeyState(virtualKey) & kKeyDownBit) != 0;
}

unsigned Low32(HWND window) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(window));
}

// Whether now lies within ms after since (tick arithmetic wraps as the system's does).
bool Within(uint32_t now, uint32_t since, uint32_t ms) {
    return now < since + ms;
}

// How long a held wheel waits for the next notch before its "up" half is sent.
unsigned HeldWheelTime() {
    return static_cast<unsigned>(std::max(g_pCurrentApp->GetIgnoreVScrollTime(), 0));
}

} // namespace

namespace pw::hook {

int CurrentWheelAction(int button, bool sameAsLayer1) {
    const MouseButtons which = static_cast<MouseButtons>(button);
    int layer = g_nCurrentLayer;
    int action = g_pCurrentApp->GetActions(which, layer);
    if (sameAsLayer1 && action == actSameAsLayer1) {
        layer = 0;
        action = g_pCurrentApp->GetActions(which, layer);
    }
    if (action == actSameAsDefaultProfile && g_pSettings) {
        if (const CApplicationSettings* fallback = g_pSettings->GetDefaultApp())
            action = fallback->GetActions(which, layer);
    }
    return action;
}

HookOutcome RunVerticalWheel(MouseEvent& event, const CSettings& settings) {
    PW_ASSERT_LOCK_HELD();
    MSLLHOOKSTRUCT& record = *event.record;
    int delta = HighWord(record.mouseData);
    if (g_pCurrentApp && g_pCurrentApp->InvertedScrolling()) {
        CLogger::LogDebug(L"Invert mouse wheel!");
        delta = -delta;
    }
    const int button = delta > 0 ? mbWheelUp : mbWheelDown;

    // While the wheel keeps turning, the pending "up" of a held wheel is postponed.
    if (g_pCurrentApp && g_pCurrentApp->GetIgnoreVScroll() &&
        pw::StopQTTimer(pw::scroll::kVerticalSlot)) {
        pw::StartQTTimer(HeldWheelTime(), pw::VScrollTimerCallback, pw::scroll::kVerticalSlot);
        return HookOutcome::SwallowNow;
    }

    const uint32_t start = event.start;
    const bool sameButton = g_nLastWheelButton == button;
    if (pw::ThrottleScrollWheel(button) && g_bThrottleWheel && sameButton &&
        Within(start, g_dwLastWheelTick, kThrottleMs)) {
        CLogger::LogDebug(L"Ignoring/throttling mouse wheel. Time %dms Delta %d.",
                          static_cast<int>(start - g_dwLastWheelTick), delta);
        event.handled = true;
        return HookOutcome::Exit;
    }

    if (sameButton && Within(start, g_dwLastWheelTick, kFastWheelMs)) {
        event.fastWheel = true;
        if (HWND window = RealWindowFromPoint(record.pt)) {
            g_hLastWindow = window;
            CLogger::LogDebug(L"Fast wheel (%dms)- Skipping window under cursor check. Delta %d.",
                              static_cast<int>(start - g_dwLastWheelTick), delta);
        }
    }

    const bool down = pw::ProcessButton(button, pw::actions::kKindDown, event.fastWheel, &record,
                                        &event.passOriginal, &event.keysSent, &event.injected);
    if (!down) {
        event.handled = pw::ScrollVertical(&record, delta);
        return HookOutcome::Exit;
    }

    const unsigned delay = static_cast<unsigned>(std::max(settings.SimKeyDelay(), 0));
    if (event.keysSent)
        pw::PreciseSleep(delay + kKeysSentPauseMs);
    else if (!event.fastWheel)
        pw::PreciseSleep(delay);

    if (g_pCurrentApp && g_pCurrentApp->GetIgnoreVScroll()) {
        // The "up" half is sent by the timer once the wheel stops.
        pw::scroll::ClearScrollTimerData();
        g_pScrollTimerData = new pw::scroll::ScrollTimerData{
            pw::scroll::kVerticalSlot, button, record.pt, event.passOriginal, g_pCurrentApp};
        g_bButtonDown[static_cast<size_t>(button)] = true;
        pw::StartQTTimer(HeldWheelTime(), pw::VScrollTimerCallback, pw::scroll::kVerticalSlot);
        event.handled = true;
        return HookOutcome::Exit;
    }

    const bool up = pw::ProcessButton(button, pw::actions::kKindUp, true, &record,
                                      &event.passOriginal, &event.keysSent, &event.injected);
    event.handled = up || down;
    g_bThrottleWheel = event.injected;
    g_dwLastWheelTick = start;
    g_nLastWheelButton = button;
    return HookOutcome::Exit;
}

HookOutcome RunTilt(MouseEvent& event, const CSettings& settings) {
    PW_ASSERT_LOCK_HELD();
    if (settings.OfficeMouse())
        return HookOutcome::Exit;
    MSLLHOOKSTRUCT& record = *event.record;
    const int button = HighWord(record.mouseData) > 0 ? mbTiltRight : mbTiltLeft;
    if (!g_pCurrentApp)
        return HookOutcome::Exit;
    // Tilting while dragging with an unmapped tilt is left to the system.
    if (CurrentWheelAction(button, false) == actNoChange &&
        (ButtonHeld(platform::kVkLButton) || ButtonHeld(platform::kVkRButton)))
        return HookOutcome::Exit;
    event.handled = pw::ScrollHorizontal(&record, event.passOriginal);
    return HookOutcome::Exit;
}

} // namespace pw::hook

bool pw::ThrottleScrollWheel(int button) {
    if (!g_pCurrentApp)
        return true;
    switch (pw::hook::CurrentWheelAction(button, true)) {
    case actLeftClick:
    case actRightClick:
    case actMiddleClick:
    case actSimulatedKeys:
    case actClickButton4:
    case actClickButton5:
        CLogger::LogDebug(L"ProcessButton: Skipping Window check. Last HWND %08X.",
                          Low32(g_hLastWindow));
        return false;
    default:
        return true;
    }
}

namespace pw::hook {

void ResetMouseHookState() {
    g_dwLastWheelTick = 0;
    g_nLastWheelButton = 0;
    g_bThrottleWheel = false;
    g_ptLastMove = POINT{};
}

} // namespace pw::hook
