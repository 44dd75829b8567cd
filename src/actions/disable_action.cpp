#include "actions/action_families.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/settings.h"
#include "support/logger.h"

namespace pw::actions {

// Swallows the event, unless Scroll Lock is on and the settings let it bypass disabled
// buttons.
bool RunDisableAction(const ActionCall&) {
    const bool bypass = g_pSettings && g_pSettings->ScrollLockBypassDisabled() &&
                        (platform::GetSystemInfo().KeyState(platform::kVkScroll) & 1) != 0;
    if (bypass) {
        CLogger::LogDebug(L"Bypassing disabled action because scroll lock is ON");
        return false;
    }
    return true;
}

} // namespace pw::actions
