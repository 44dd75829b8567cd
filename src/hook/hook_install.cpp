#include "hook/hook_install.h"

#include "hook/hook_procedures.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "support/logger.h"
#include "support/thread_lock.h"

namespace pw::hook {

namespace {

using Kind = platform::Hooks::Kind;

unsigned HandleValue(HHOOK hook) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(hook));
}

uint32_t LastError() {
    return platform::GetDiagnostics().LastError();
}

// prefix names the request in the log lines: empty for the first installation.
bool SetMouseHook(const Char* prefix) {
    g_hMouseHook = platform::GetHooks().SetHook(Kind::MouseLowLevel, MouseHookProcedure());
    if (!g_hMouseHook) {
        CLogger::LogOSMessage(LastError(), L"HookThread: %lsUnable to set low level mouse hook.",
                              prefix);
        return false;
    }
    CLogger::LogDebug(L"HookThread: %lsSuccessfully set the mouse hook 0x%X", prefix,
                      HandleValue(g_hMouseHook));
    return true;
}

void SetKeyboardHook(const Char* prefix, const Char* end) {
    const platform::Hooks::Proc proc = KeyboardHookProcedure();
    if (!proc)
        return;
    ClearKeyboardHookKeys();
    g_hKeyboardHook = platform::GetHooks().SetHook(Kind::KeyboardLowLevel, proc);
    if (!g_hKeyboardHook) {
        CLogger::LogOSMessage(
            LastError(),
            L"HookThread: %lsUnable to set low level keyboard hook (for layer modifier keys)%ls",
            prefix, end);
        return;
    }
    CLogger::LogDebug(L"HookThread: %lsSuccessfully set the keyboard hook 0x%X", prefix,
                      HandleValue(g_hKeyboardHook));
}

// The system may have removed the hook already; the handle is forgotten either way.
void Unhook(HHOOK& hook) {
    if (!hook)
        return;
    platform::GetHooks().Unhook(hook);
    hook = nullptr;
}

void ReinstallMouseHook() {
    Unhook(g_hMouseHook);
    SetMouseHook(L"WP_MOUSEHOOK - ");
}

void ReinstallKeyboardHook() {
    Unhook(g_hKeyboardHook);
    SetKeyboardHook(L"WP_KEYHOOK - ", L".");
}

} // namespace

void InstallHooks() {
    PW_ASSERT_LOCK_HELD();
    if (SetMouseHook(L""))
        SetKeyboardHook(L"", L"");
}

void ReinstallHooks(WPARAM code) {
    switch (code) {
    case runtime::kWpMouseHook: {
        CThreadLock lock(L"HookThread WP_MOUSEHOOK");
        ReinstallMouseHook();
        break;
    }
    case runtime::kWpKeyHook: {
        CThreadLock lock(L"HookThread WP_KEYHOOK");
        ReinstallKeyboardHook();
        break;
    }
    case runtime::kWpBoth: {
        CThreadLock lock(L"HookThread WP_BOTH");
        ReinstallMouseHook();
        ReinstallKeyboardHook();
        break;
    }
    default:
        break;
    }
}

} // namespace pw::hook
