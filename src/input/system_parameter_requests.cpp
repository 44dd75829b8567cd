#include "input/system_parameter_requests.h"

#include "input/spi_thread.h"
#include "input/system_mouse_defaults.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/application_settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

namespace pw::input {

SystemParameterRequest RequestForProfile(const CApplicationSettings* profile,
                                         const SystemMouseDefaults& defaults) {
    bool pages = defaults.pageScroll;
    uint32_t lines = defaults.scrollLines;
    int swapSetting = swapUnchanged;
    bool force = false;
    if (profile) {
        pages = profile->ScrollPages();
        lines = static_cast<uint32_t>(profile->ScrollLines());
        swapSetting = profile->SwapButtons();
        force = profile->ForceSPIMessage();
    }

    uint32_t swap = 0;
    switch (swapSetting) {
    case swapUnchanged:
        swap = defaults.buttonsSwapped ? 1 : 0;
        break;
    case swapSwapped:
        swap = 1;
        break;
    default: // swapNormal, and anything out of range
        swap = 0;
        break;
    }
    return {swap, pages ? platform::SystemParameters::kWheelPageScroll : lines, force};
}

} // namespace pw::input

void pw::NewApplicationSettings() {
    PW_ASSERT_LOCK_HELD();
    if (!g_pSPIThread) {
        CLogger::LogMessage(L"NewApplicationSettings: SPIThread is not initialised.");
        return;
    }
    const pw::input::SystemParameterRequest request =
        pw::input::RequestForProfile(g_pCurrentApp, g_SystemMouseDefaults);
    g_pSPIThread->RequestChange(request.swapButtons, request.scrollLines, request.force);
}
