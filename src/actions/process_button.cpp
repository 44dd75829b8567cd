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

} // namespace

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
    if (kind == kKindUp && g_bChordUsed[index]) {
        CLogger::LogDebug(
            L"ProcessButton: Ignoring button up as it was previously a chord action!");
        g_bChordUsed[index] = false;
        return true;
    }

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

    pw::actions::ResolvedAction resolved = pw::actions::ResolveAction(button, kind);
    if (resolved.swallow)
        return true;
    pw::actions::LogResolution(button, kind, resolved);

    if (kind == kKindUp && g_pSettings && g_pSettings->get_ResetStickyOnAnyButton())
        pw::ResetOtherSticky(pt, button, false);

    bool handled = pw::ProcessButtonAction(button, resolved.action, resolved.data.get(),
                                           resolved.source, kind, resolved.layer, skipWindowCheck,
                                           hwnd, record, passOriginal, keysSent, injected);
    return KeepPressesInSync(button, kind, handled);
}
