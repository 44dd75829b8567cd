#include "hook/library.h"

#include "hook/hook_state.h"
#include "settings/settings.h"
#include "support/exception_handler.h"
#include "support/logger.h"
#include "support/thread_lock.h"

#include <memory>

namespace pw::hook {

namespace {
// Turns the runtime's invalid-parameter faults into log lines while the library is loaded.
std::unique_ptr<InvalidParameterInstaller> g_invalidParameterInstaller;
} // namespace

void ProcessAttach() {
    CThreadLock::InitGlobalCS();
    CLogger::Initialise();
    if (!g_invalidParameterInstaller)
        g_invalidParameterInstaller = std::make_unique<InvalidParameterInstaller>();
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
    g_invalidParameterInstaller.reset();
    CLogger::CloseLogFile(true);
    CLogger::Shutdown();
    CThreadLock::DeleteCS();
}

} // namespace pw::hook
