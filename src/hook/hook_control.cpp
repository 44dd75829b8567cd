#include "hook/hook_control.h"

#include "support/logger.h"

PW_EXTERN_C void RemoveHooks() {
    // Only the hook thread installs hooks; until it runs there is nothing to take off.
    CLogger::LogDebug(L"RemoveHooks: No hooks are installed.");
}
