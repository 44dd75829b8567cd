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

runtime::TimerProc JigglerTimerProcedure() {
    return nullptr;
}

} // namespace pw::hook
