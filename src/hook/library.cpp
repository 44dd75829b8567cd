#include "hook/library.h"

#include "hook/hook_state.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

namespace pw::hook {

void ProcessAttach() {
    CThreadLock::InitGlobalCS();
    CLogger::Initialise();
    g_pSettings = new CSettings(false);
    ResetHookState();
}

void ProcessDetach() {
    g_hMainWindow = nullptr;
    g_hVolumeOSDWindow = nullptr;
    g_hBrightnessOSDWindow = nullptr;
    g_pCurrentApp = nullptr;
    delete g_pSettings;
    g_pSettings = nullptr;
    CLogger::CloseLogFile(true);
    CLogger::Shutdown();
    CThreadLock::DeleteCS();
}

} // namespace pw::hook
