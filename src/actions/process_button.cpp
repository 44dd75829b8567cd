#include "actions/process_button.h"

#include "actions/action_state.h"
#include "actions/button_processing.h"
#include "actions/process_button_action.h"
#include "actions/sticky_keys.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/chord.h"
#include "settings/mouse_buttons.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

namespace {

using pw::actions::kKindDown;
using pw::actions::kKindUp;

bool IsPhysicallyDown(int button) {
    int key = pw::actions::ButtonVirtualKey(button);
    return key && (pw::platform::GetInput().AsyncKeyState(key) & 0x8000);
}

// Presses handled by an action are remembered, so that a handled release can tell whether
// the system saw the press. A release it did not see while the button is still down goes
// through to the system to keep its button state right.
bool KeepPressesInSync(int button, int kind, bool handled) {
    if (!handled)
        return false;
    size_t index = static_cast<size_t>(button);
    if (kind == kKindDown) {
        g_bDownHandled[index] = true;
        return true;
    }
    if (kind == kKindUp && !g_bDownHandled[index] && IsPhysicallyDown(button)) {
        CLogger::LogDebug(L"ProcessButton: Button is down but we didn't see it. Allowing button "
                          L"up to keep Windows in sync!");
        handled = false;
    }
    g_bDownHandled[index] = false;
    return handled;
}

std::array<pw::actions::HeldPress, 9> g_heldPresses;

// Carries out the resolved action for an event of kind; true when it was handled.
bool Carry(int button, int kind, pw::actions::ResolvedAction& resolved, bool skipWindowCheck,
           HWND hwnd, MSLLHOOKSTRUCT* record, bool* passOriginal, bool* keysSent, bool* injected) {
    return pw::ProcessButtonAction(button, resolved.action, resolved.data.get(), resolved.source,
                                   kind, resolved.layer, skipWindowCheck, hwnd, record,
                                   passOriginal, keysSent, injected);
}

// The release of a press whose release half already ran: it is swallowed when the press was.
bool EndedRelease(int button, pw::actions::HeldPress& press) {
    CLogger::LogDebug(L"ProcessButton: The release of button %d was processed already.", button);
    const bool swallowed = press.swallowed;
    press = {};
    g_bDownHandled[static_cast<size_t>(button)] = false;
    return swallowed;
}

} // namespace

// Runs the release half of button's held press at pt and marks the press ended.
bool pw::EndHeldPress(int button, POINT pt) {
    if (!pw::settings::IsValidButton(button))
        return false;
    pw::actions::HeldPress& press = g_heldPresses[static_cast<size_t>(button)];
    if (!press.held || press.ended)
        return false;
    pw::actions::HeldPress pressed = std::move(press);
    // Only the press's fate is kept: nothing of the settings it was resolved in may outlive
    // them. Set before the release half runs, which may process this button again.
    press = {.held = true, .swallowed = pressed.swallowed, .ended = true, .resolved = {}};
    if (!pressed.resolved.swallow) {
        CLogger::LogDebug(L"ProcessButton: Ending the press of button %d.", button);
        MSLLHOOKSTRUCT record{};
        record.pt = pt;
        record.time = pw::platform::TickCount();
        bool passOriginal = false;
        bool keysSent = false;
        bool injected = false;
        Carry(button, kKindUp, pressed.resolved, true, g_hLastWindow, &record, &passOriginal,
              &keysSent, &injected);
    }
    return true;
}

namespace pw::actions {

std::array<HeldPress, 9>& HeldPresses() {
    return g_heldPresses;
}

void ForgetHeldPresses() {
    for (HeldPress& press : g_heldPresses)
        press = {};
}

} // namespace pw::actions

bool pw::ProcessButton(int button, int kind, bool skipWindowCheck, MSLLHOOKSTRUCT* record,
                       bool* passOriginal, bool* keysSent, bool* injected) {
    PW_ASSERT_LOCK_HELD();
    *passOriginal = false;
    *keysSent = false;
    if (!pw::settings::IsValidButton(button) || !record) {
        CLogger::LogMessage(L"ProcessButton: Ignoring invalid button %d.", button);
        return false;
    }
    const size_t index = static_cast<size_t>(button);
    pw::actions::HeldPress& press = g_heldPresses[index];
    if (kind == kKindUp && g_bChordUsed[index]) {
        CLogger::LogDebug(
            L"ProcessButton: Ignoring button up as it was previously a chord action!");
        g_bChordUsed[index] = false;
        press = {};
        return true;
    }
    if (kind == kKindUp && press.ended)
        return EndedRelease(button, press);

    const POINT pt = record->pt;
    HWND hwnd = g_hLastWindow;
    if (skipWindowCheck) {
        CLogger::LogDebug(L"ProcessButton: Skipping Window check. Last HWND %08X.",
                          pw::actions::Low32(g_hLastWindow));
    } else {
        pw::actions::EventWindow window = pw::actions::ChooseEventWindow(pt);
        // A changed caption may choose another profile for the same window.
        if (window.quadrantChanged || window.captionChanged ||
            (window.hwnd && window.hwnd != g_hLastWindow))
            pw::actions::DetectProfile(window, pt, button, kind, passOriginal);
        hwnd = window.hwnd;
    }

    if (!g_pCurrentApp)
        return false;
    pw::actions::NotifyButtonProcessed(button, kind);

    if (kind == kKindUp && press.held) {
        pw::actions::HeldPress pressed = std::move(press);
        press = {};
        if (pressed.resolved.swallow)
            return true;
        pw::actions::LogResolution(button, kind, pressed.resolved);
        if (g_pSettings && g_pSettings->get_ResetStickyOnAnyButton())
            pw::ResetOtherSticky(pt, button, false);
        bool handled = Carry(button, kind, pressed.resolved, skipWindowCheck, hwnd, record,
                             passOriginal, keysSent, injected);
        // The system never saw the press, so it must not see a lone release either.
        if (pressed.swallowed) {
            *passOriginal = false;
            handled = true;
        }
        return KeepPressesInSync(button, kind, handled);
    }

    pw::actions::ResolvedAction resolved =
        pw::actions::ResolveAction(button, kind, g_pCurrentApp, g_nCurrentLayer);
    if (resolved.swallow) {
        if (kind != kKindUp)
            press = {.held = true, .swallowed = true, .resolved = std::move(resolved)};
        return true;
    }
    pw::actions::LogResolution(button, kind, resolved);

    if (kind == kKindUp && g_pSettings && g_pSettings->get_ResetStickyOnAnyButton())
        pw::ResetOtherSticky(pt, button, false);

    const bool handled = Carry(button, kind, resolved, skipWindowCheck, hwnd, record, passOriginal,
                               keysSent, injected);
    if (kind != kKindUp)
        press = {
            .held = true, .swallowed = handled && !*passOriginal, .resolved = std::move(resolved)};
    return KeepPressesInSync(button, kind, handled);
}

bool pw::PressAwaitsRelease(int button) {
    if (!pw::settings::IsValidButton(button))
        return false;
    const pw::actions::HeldPress& press = g_heldPresses[static_cast<size_t>(button)];
    return press.held && !press.ended && !press.resolved.swallow &&
           press.resolved.action != actNoChange;
}

void pw::EndHeldPresses(POINT pt) {
    PW_ASSERT_LOCK_HELD();
    for (size_t index = 0; index < g_heldPresses.size(); ++index)
        pw::EndHeldPress(static_cast<int>(index), pt);
}
