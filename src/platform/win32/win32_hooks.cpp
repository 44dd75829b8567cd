#include "platform/win32/win32_api.h"

#include "platform/win32/module_handle.h"
#include "platform/win32/win32_hooks.h"

namespace pw::win32 {

HHOOK Win32Hooks::SetHook(Kind kind, Proc proc) {
    const int type = kind == Kind::MouseLowLevel ? WH_MOUSE_LL : WH_KEYBOARD_LL;
    // On x86-64 the system's hook procedure type has the same calling convention.
    return ::SetWindowsHookExW(type, proc, ModuleHandle(), 0);
}

bool Win32Hooks::Unhook(HHOOK hook) {
    return ::UnhookWindowsHookEx(hook) != FALSE;
}

} // namespace pw::win32
