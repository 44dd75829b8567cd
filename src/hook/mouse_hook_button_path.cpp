// The button path of the mouse hook: every message but movement. It filters what the
// library must not touch, de-bounces worn switches, tracks the pressed buttons, applies the
// global per-event transformations and hands each button event to ProcessButton. The
// wheel and tilt steps follow: inversion, the held wheel, throttling of notches whose
// action injects input, fast wheel runs, and the two halves of a remapped notch.

#include "actions/action_state.h"
#include "actions/process_button.h"
#include "actions/sticky_keys.h"
#include "hook/mouse_hook.h"
#include "hook/mouse_hook_paths.h"
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
std::array<pw::hook::DebounceEntry, pw::runtime::kButtonCount> g_Debounce{};

namespace pw::hook {

namespace {

constexpr const Char* kDisplayName = L"Pallawick";
constexpr short kKeyDownBit = static_cast<short>(0x8000);

uintptr_t Marker() {
    return reinterpret_cast<uintptr_t>(g_hMouseHook);
}

unsigned Low32(HWND window) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(window));
}

bool IsWheelOrTilt(unsigned message) {
    return message == platform::kWmMouseWheel || message == platform::kWmMouseHWheel;
}

// The slot of a middle-button event: the office mouse's second middle button marks its
// events in the extra information.
int MiddleSlot(const CSettings& settings, const MSLLHOOKSTRUCT& record) {
    if (settings.OfficeMouse() && (record.dwExtraInfo & kOfficeMouseMiddleFlag))
        return mbTiltLeft;
    return mbMiddle;
}

void SetPressed(int slot, bool down) {
    if (slot >= 0)
        g_bButtonDown[static_cast<size_t>(slot)] = down;
}

// message is the client form.
void TrackPressedState(const CSettings& settings, unsigned message, const MSLLHOOKSTRUCT& record) {
    switch (message) {
    case kWmLButtonDown:
    case kWmLButtonUp:
        SetPressed(mbLeft, message == kWmLButtonDown);
        break;
    case kWmRButtonDown:
    case kWmRButtonUp:
        SetPressed(mbRight, message == kWmRButtonDown);
        break;
    case kWmMButtonDown:
    case kWmMButtonUp:
        SetPressed(MiddleSlot(settings, record), message == kWmMButtonDown);
        break;
    case kWmXButtonDown:
    case kWmXButtonUp:
        SetPressed(XButtonSlot(record.mouseData), message == kWmXButtonDown);
        break;
    default:
        break;
    }
}

void LogEvent(const MouseEvent& event, uint32_t diff) {
    if (!CLogger::DebugEnabled())
        return;
    const MSLLHOOKSTRUCT& record = *event.record;
    const Char* injected = (record.flags & platform::kLlmhfInjected) ? L" Injected" : L"";
    const int x = static_cast<int>(record.pt.x);
    const int y = static_cast<int>(record.pt.y);
    const unsigned data = static_cast<unsigned>(record.mouseData);
    const unsigned flags = static_cast<unsigned>(record.flags);
    const int time = static_cast<int>(record.time);
    const unsigned info = static_cast<unsigned>(record.dwExtraInfo);
    if (diff != 0) {
        CLogger::LogDebug(L"MouseHookData: Msg=0x%04x%ls%ls, X=%d, Y=%d, Data=0x%08X, "
                          L"Flags=0x%08X, Time=%d (Diff=%dms), Info=0x%X, Ptr=0x%X, Layer=%d",
                          event.message, MouseMessageName(event.message), injected, x, y, data,
                          flags, time, static_cast<int>(diff), info,
                          static_cast<unsigned>(Marker()), g_nCurrentLayer);
        return;
    }
    CLogger::LogDebug(L"MouseHookData: Msg=0x%04x%ls%ls, X=%d, Y=%d, Data=0x%08X, Flags=0x%08X, "
                      L"Time=%d, Info=0x%X, Ptr=0x%X, Layer=%d",
                      event.message, MouseMessageName(event.message), injected, x, y, data, flags,
                      time, info, static_cast<unsigned>(Marker()), g_nCurrentLayer);
}

// Whether the side buttons are swapped for the events of now.
bool SideButtonsSwapped(const CSettings& settings) {
    return settings.Swap4and5() ||
           (settings.Swap4and5inRDP() && platform::GetSystemInfo().IsRemoteSession());
}

struct ButtonRow {
    int button = -1;
    int kind = 0;
};

// The button and event kind of a client button message; button -1 when none.
ButtonRow RowOf(const CSettings& settings, unsigned message, const MSLLHOOKSTRUCT& record) {
    using namespace pw::actions;
    switch (message) {
    case kWmLButtonDown:
        return {mbLeft, kKindDown};
    case kWmLButtonUp:
        return {mbLeft, kKindUp};
    case kWmLButtonDblClk:
        return {mbLeft, kKindDoubleClick};
    case kWmRButtonDown:
        return {mbRight, kKindDown};
    case kWmRButtonUp:
        return {mbRight, kKindUp};
    case kWmRButtonDblClk:
        return {mbRight, kKindDoubleClick};
    case kWmMButtonDown:
        return {MiddleSlot(settings, record), kKindDown};
    case kWmMButtonUp:
        return {MiddleSlot(settings, record), kKindUp};
    case kWmMButtonDblClk:
        return {mbMiddle, kKindDoubleClick};
    case kWmXButtonDown:
        return {XButtonSlot(record.mouseData), kKindDown};
    case kWmXButtonUp:
        return {XButtonSlot(record.mouseData), kKindUp};
    case kWmXButtonDblClk:
        return {XButtonSlot(record.mouseData), kKindDoubleClick};
    default:
        return {};
    }
}

// Whether event releases a button whose press an action took over: the action, or the
// chord that used the button, waits for this release. Side buttons are named as their
// presses were processed, after the swap.
bool ReleasesTakenPress(const CSettings& settings, const MouseEvent& event) {
    const ButtonRow row = RowOf(settings, ClientMessage(event.message), *event.record);
    if (row.button < 0 || row.kind != pw::actions::kKindUp)
        return false;
    int button = row.button;
    if ((button == mbXLeft || button == mbXRight) && SideButtonsSwapped(settings))
        button = button == mbXLeft ? mbXRight : mbXLeft;
    return pw::actions::DownWasHandled(button) || g_bChordUsed[static_cast<size_t>(button)];
}

void LogForeignInjection(const MSLLHOOKSTRUCT& record) {
    CLogger::LogDebug(L"MouseHookData: Message was injected by someone else therefore process "
                      L"it. ExtraInfo = 0x%08x, Hook = 0x%08x, Injected count = %d",
                      static_cast<unsigned>(record.dwExtraInfo), static_cast<unsigned>(Marker()),
                      std::max(g_nInjectCount, 0));
}

// Whether an injected event is the library's own; counts it off the announced injections.
bool IsOwnInjection(const CSettings& settings, const MouseEvent& event) {
    const MSLLHOOKSTRUCT& record = *event.record;
    const bool marked = record.dwExtraInfo == Marker();
    if (g_nInjectCount < 1) {
        if (!marked && !IsWheelOrTilt(event.message))
            LogForeignInjection(record);
        return marked;
    }
    // A release counted as ours would pass unprocessed and leave its press's action held.
    if (!marked && ReleasesTakenPress(settings, event)) {
        LogForeignInjection(record);
        return false;
    }
    if (!marked)
        CLogger::LogDebug(L"MouseHookData: Inject count = %d but ExtraInfo is not our hook - "
                          L"suspect it has been changed by something!",
                          g_nInjectCount);
    --g_nInjectCount;
    return true;
}

bool ControlHeld() {
    return (platform::GetInput().AsyncKeyState(platform::kVkControl) & kKeyDownBit) != 0;
}

// The library's own events are never processed again; only its wheel and tilt events may
// go to the window under the cursor.
HookOutcome PassOwnInjection(const MouseEvent& event, const CSettings& settings) {
    const bool profileKeepsScroll =
        g_pCurrentApp && g_pCurrentApp->IsEnabled() && g_pCurrentApp->GetDisableScrollUnderCursor();
    if (!settings.ScrollWindowUnderCursor() || profileKeepsScroll || ControlHeld() ||
        !IsWheelOrTilt(event.message)) {
        CLogger::LogDebug(L"Ignoring mouse message injected by %ls", kDisplayName);
        return HookOutcome::Exit;
    }
    const MSLLHOOKSTRUCT& record = *event.record;
    HWND window = RealWindowFromPoint(record.pt);
    if (!window || !pw::IsInjectedScrollRedirectable(window))
        return HookOutcome::Exit;
    CLogger::LogDebug(L"Redirecting injected wheel message to 0x%08X", Low32(window));
    platform::GetMessages().SendMessage(window, event.message, record.mouseData,
                                        PointParam(record.pt));
    return HookOutcome::SwallowNow;
}

bool Bypassed(const CSettings& settings) {
    platform::SystemInfo& system = platform::GetSystemInfo();
    if (settings.ScrollLockBypass() && (system.KeyState(platform::kVkScroll) & 1)) {
        CLogger::LogDebug(L"Ignoring %ls configuration because SCROLL Lock is enabled!",
                          kDisplayName);
        return true;
    }
    if (settings.DisableInRDP() && system.IsRemoteSession()) {
        CLogger::LogDebug(L"Ignoring %ls configuration because current session is RDP and "
                          L"Disable in RDP set!",
                          kDisplayName);
        return true;
    }
    return false;
}

// message is the client form. Pressed-state tracking has already used the real number.
void SwapSideButtons(const CSettings& settings, unsigned message, MSLLHOOKSTRUCT& record) {
    if (message != kWmXButtonDown && message != kWmXButtonUp && message != kWmXButtonDblClk)
        return;
    if (!SideButtonsSwapped(settings))
        return;
    const int number = HighWord(record.mouseData);
    if (number != 1 && number != 2)
        return;
    const DWORD swapped = number == 1 ? 2u : 1u;
    record.mouseData = (record.mouseData & 0xFFFFu) | (swapped << 16);
    CLogger::LogDebug(settings.Swap4and5() ? L"Swapping left/right buttons."
                                           : L"Swapping left/right buttons for RDP.");
}

// Clicks on a frame, caption, border or scroll bar of the foreground window.
bool OnNonClientArea(const MSLLHOOKSTRUCT& record) {
    HWND foreground = platform::GetWindows().ForegroundWindow();
    const LRESULT hit = platform::GetMessages().SendMessage(foreground, platform::kWmNcHitTest, 0,
                                                            PointParam(record.pt));
    return hit > platform::kHtClient;
}

// The sticky entry a press of button ends when no action took it: the physical button.
int StickyEntryOf(unsigned message, int button) {
    return message == kWmMButtonDown ? static_cast<int>(mbMiddle) : button;
}

HookOutcome Dispatch(MouseEvent& event, const CSettings& settings) {
    const unsigned message = ClientMessage(event.message);
    if (message == platform::kWmMouseWheel)
        return RunVerticalWheel(event, settings);
    if (message == platform::kWmMouseHWheel)
        return RunTilt(event, settings);
    MSLLHOOKSTRUCT& record = *event.record;
    const ButtonRow row = RowOf(settings, message, record);
    if (row.button < 0)
        return HookOutcome::Exit;
    event.handled = pw::ProcessButton(row.button, row.kind, false, &record, &event.passOriginal,
                                      &event.keysSent, &event.injected);
    if (!event.handled && row.kind == pw::actions::kKindDown)
        pw::ResetSticky(record.pt, StickyEntryOf(message, row.button), g_nCurrentLayer, -1);
    return HookOutcome::Exit;
}

} // namespace

HookOutcome RunButtonPath(MouseEvent& event) {
    if (!g_pSettings)
        return HookOutcome::Exit;
    CThreadLock lock(L"MouseHookLLProc 1");
    const CSettings& settings = *g_pSettings;
    MSLLHOOKSTRUCT& record = *event.record;

    const DebounceCheck debounce = CheckDebounce(settings, event.message, record);
    if (debounce.bounce)
        return HookOutcome::SwallowNow;
    const unsigned message = ClientMessage(event.message);
    TrackPressedState(settings, message, record);
    LogEvent(event, debounce.diff);

    if (record.flags & platform::kLlmhfInjected) {
        if (IsOwnInjection(settings, event))
            return PassOwnInjection(event, settings);
    } else if (record.dwExtraInfo != 0) {
        CLogger::LogMessage(L"MouseHookData: Injected message was modified by something else "
                            L"therefore we could have a problem!");
    }

    g_dwLastInputTick = event.start;
    g_bInputSeen = true;
    if (Bypassed(settings))
        return HookOutcome::PassNow;
    SwapSideButtons(settings, message, record);
    if (!settings.ProcessNonClientMsgs() && OnNonClientArea(record)) {
        CLogger::LogDebug(L"Ignoring non-client message %d", event.message);
        return HookOutcome::PassNow;
    }
    return Dispatch(event, settings);
}

// The wheel and tilt steps.

namespace {

// Notches of the same direction closer than this are throttled when their action injects.
constexpr uint32_t kThrottleMs = 80;
// Notches of the same direction closer than this form a fast run: no window check.
constexpr uint32_t kFastWheelMs = 150;
// The extra pause between the halves of a notch whose action pressed keys.
constexpr unsigned kKeysSentPauseMs = 30;
bool ButtonHeld(int virtualKey) {
    return (platform::GetInput().AsyncKeyState(virtualKey) & kKeyDownBit) != 0;
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
    // A wheel held in another profile ends before this notch is processed under the new one.
    if (g_pScrollTimerData && g_pScrollTimerData->type == pw::scroll::kVerticalSlot)
        pw::scroll::EndPendingScroll();

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
        // Departs from running the "up" half of handled notches only: an action that lets
        // the notch through but put keys or buttons down or started a repeat would leave it.
        if (pw::PressAwaitsRelease(button)) {
            bool upKeysSent = false;
            pw::ProcessButton(button, pw::actions::kKindUp, true, &record, &event.passOriginal,
                              &upKeysSent, &event.injected);
        }
        event.handled = pw::ScrollVertical(&record, delta);
        return HookOutcome::Exit;
    }

    const unsigned delay = static_cast<unsigned>(std::max(settings.SimKeyDelay(), 0));
    if (event.keysSent)
        pw::PreciseSleep(delay + kKeysSentPauseMs);
    else if (!event.fastWheel)
        pw::PreciseSleep(delay);

    if (g_pCurrentApp && g_pCurrentApp->GetIgnoreVScroll()) {
        // The "up" half is sent by the timer once the wheel stops; one still pending for
        // the tilt is sent now.
        pw::scroll::EndPendingScroll();
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
                          pw::hook::Low32(g_hLastWindow));
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

namespace {

struct DebouncedButton {
    int index = -1;
    bool down = false;
};

DebouncedButton ButtonOf(unsigned message, DWORD mouseData) {
    switch (message) {
    case kWmLButtonDown:
        return {mbLeft, true};
    case kWmLButtonUp:
        return {mbLeft, false};
    case kWmRButtonDown:
        return {mbRight, true};
    case kWmRButtonUp:
        return {mbRight, false};
    case kWmMButtonDown:
        return {mbMiddle, true};
    case kWmMButtonUp:
        return {mbMiddle, false};
    case kWmXButtonDown:
        return {XButtonSlot(mouseData), true};
    case kWmXButtonUp:
        return {XButtonSlot(mouseData), false};
    default:
        return {};
    }
}

const Char* NameOf(int button) {
    const Char* name = pw::settings::ButtonElementName(button, false);
    return name ? name : L"";
}

} // namespace

DebounceCheck CheckDebounce(const CSettings& settings, unsigned message,
                            const MSLLHOOKSTRUCT& record) {
    DebounceCheck check;
    if ((record.flags & platform::kLlmhfInjected) || !settings.get_EnableDebounce())
        return check;
    const DebouncedButton button = ButtonOf(message, record.mouseData);
    if (button.index < 0)
        return check;
    DebounceEntry& entry = g_Debounce[static_cast<size_t>(button.index)];
    // A negative setting reads as a huge unsigned one, as the comparison has always been.
    const uint32_t limit = static_cast<uint32_t>(settings.get_DebounceTime());

    if (button.down) {
        // An equal or older time stamp is never a bounce.
        if (record.time > entry.lastTime) {
            check.diff = record.time - entry.lastTime;
            check.bounce = check.diff <= limit;
        }
        entry.bounced = check.bounce;
        entry.lastTime = record.time;
        if (check.bounce)
            CLogger::LogDebug(L"MouseHook: De-Bounce mouse button - ignoring %ls button DOWN as it "
                              L"only %dms since the last time (<%dms)!",
                              NameOf(button.index), static_cast<int>(check.diff),
                              settings.get_DebounceTime());
        return check;
    }

    check.bounce = entry.bounced;
    entry.bounced = false;
    if (settings.get_DebounceFromUp())
        entry.lastTime = record.time;
    if (check.bounce)
        CLogger::LogDebug(L"MouseHook: De-bBounce mouse button - ignoring %ls button UP as the "
                          L"down was de-bounced!",
                          NameOf(button.index));
    return check;
}

void ResetDebounce() {
    g_Debounce.fill(DebounceEntry{});
}

} // namespace pw::hook
