#include "hook/mouse_defaults_restore.h"

#include "input/system_mouse_defaults.h"
#include "platform/platform.h"
#include "support/logger.h"
#include "support/thread_lock.h"

namespace pw::hook {

void RestoreButtonSwap() {
    bool swapped = false;
    {
        CThreadLock lock(L"RestoreButtonSwap");
        swapped = g_SystemMouseDefaults.buttonsSwapped;
    }
    using platform::SystemParameters;
    if (platform::GetSystemParameters().SetButtonSwap(swapped, SystemParameters::kUpdateIniFile))
        CLogger::LogDebug(L"Reset Swap Mouse Buttons to default (%d)", swapped ? 1 : 0);
    else
        CLogger::LogMessage(L"Unable to reset Swap Mouse Buttons to default! (%d)",
                            swapped ? 1 : 0);
}

void RestoreWheelLines(unsigned lines) {
    using platform::SystemParameters;
    const unsigned flags = SystemParameters::kUpdateIniFile | SystemParameters::kSendChange;
    if (platform::GetSystemParameters().SetWheelScrollLines(lines, flags))
        CLogger::LogDebug(L"Reset Wheel Scroll Lines to default (%d)", static_cast<int>(lines));
    else
        CLogger::LogMessage(L"Unable to reset Wheel Scroll Lines to default (%d)",
                            static_cast<int>(lines));
}

} // namespace pw::hook
