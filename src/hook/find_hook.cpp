#include "hook/find_hook.h"

#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "support/logger.h"
#include "support/report_exception.h"

LRESULT pw::hook::FindHookLLProc(int nCode, WPARAM wParam, LPARAM lParam) {
    const HWND target = g_hFindTarget;
    if (nCode >= 0 && wParam == platform::kWmMouseMove && target && lParam) {
        const auto* record = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        platform::GetMessages().PostMessage(target, runtime::Messages().findHover,
                                            static_cast<WPARAM>(record->pt.x),
                                            static_cast<LPARAM>(record->pt.y));
    }
    return platform::GetInput().CallNextHook(g_hFindHook, nCode, wParam, lParam);
}

PW_EXTERN_C bool SetFindHook(HWND target) {
    try {
        RemoveFindHook();
        g_hFindTarget = target;
        g_hFindHook = pw::platform::GetHooks().SetHook(pw::platform::Hooks::Kind::MouseLowLevel,
                                                       &pw::hook::FindHookLLProc);
        if (!g_hFindHook)
            CLogger::LogOSMessage(pw::platform::GetDiagnostics().LastError(),
                                  L"SetFindHook: Unable to set the find hook.");
        return g_hFindHook != nullptr;
    } catch (...) {
        pw::ReportException(L"SetFindHook");
        return false;
    }
}

PW_EXTERN_C bool RemoveFindHook() {
    try {
        g_hFindTarget = nullptr;
        if (!g_hFindHook)
            return true;
        if (!pw::platform::GetHooks().Unhook(g_hFindHook))
            return false;
        g_hFindHook = nullptr;
        return true;
    } catch (...) {
        pw::ReportException(L"RemoveFindHook");
        return false;
    }
}
