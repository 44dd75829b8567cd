#include "actions/sticky_keys.h"

#include "actions/action_state.h"
#include "hook/hook_state.h"
#include "input/send_keys.h"
#include "settings/application_settings.h"
#include "settings/mouse_buttons.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

// Sticky mouse buttons and the resets of sticky key sets come with the sticky button
// states; until then only the keys held for a press are tracked and released.

void ResetSticky(POINT, int, int, int) {}

void ResetAllSticky(POINT) {}

void ResetOtherSticky(POINT, int, bool) {}

void ResetDuringKeys(POINT pt) {
    CThreadLock lock(L"ResetDuringKeys");
    if (!g_pCurrentApp)
        return;
    const bool officeMouse = g_pSettings && g_pSettings->OfficeMouse();
    for (int index = mbLeft; index <= mbWheelDown; ++index) {
        const auto button = static_cast<MouseButtons>(index);
        // The office mouse's second middle button has no slot of its own.
        if (button == mbTiltRight && officeMouse)
            continue;
        if (!g_pCurrentApp->GetResetKeys(button, g_nCurrentLayer))
            continue;
        CLogger::LogDebug(L"Resetting keys for button %d", index);
        SendKeyStateWhileDown(button, g_pCurrentApp->GetKeystrokes(button, g_nCurrentLayer), true,
                              &pt);
        g_pCurrentApp->SetResetKeys(button, g_nCurrentLayer, false);
    }
}

bool AnyStickyActive() {
    for (uint16_t state : g_nStickyState)
        if (state)
            return true;
    return false;
}
