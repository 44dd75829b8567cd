#include "hook/hook_control.h"

#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "support/logger.h"
#include "support/report_exception.h"

namespace {

// The handle is forgotten even when unhooking fails: the system drops a hook that
// overran its time-out without telling its owner.
void Unhook(HHOOK& hook, const Char* removing, const Char* failed) {
    if (!hook)
        return;
    CLogger::LogDebug(L"%ls", removing);
    if (!pw::platform::GetHooks().Unhook(hook))
        CLogger::LogOSMessage(pw::platform::GetDiagnostics().LastError(), L"%ls", failed);
    hook = nullptr;
}

} // namespace

PW_EXTERN_C void RemoveHooks() {
    try {
        Unhook(g_hKeyboardHook, L"Removing keyboard hook...",
               L"Unable to remove keyboard hook (the hook was probably removed by Windows)");
        Unhook(g_hMouseHook, L"Removing mouse hook...",
               L"Unable to remove mouse hook (the hook was probably removed by Windows)");
        // Axis locking may have replaced system cursors.
        pw::platform::GetSystemParameters().ReloadSystemCursors();
    } catch (...) {
        pw::ReportException(L"RemoveHooks");
    }
}
