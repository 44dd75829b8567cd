#include "hook/hook_procedures.h"

#include "hook/mouse_hook.h"

namespace pw::hook {

platform::Hooks::Proc MouseHookProcedure() {
    return &pw::MouseHookLLProc;
}

platform::Hooks::Proc KeyboardHookProcedure() {
    return nullptr;
}

void ClearKeyboardHookKeys() {}

} // namespace pw::hook
