#include "hook/hook_procedures.h"

#include "hook/keyboard_hook.h"
#include "hook/mouse_hook.h"

namespace pw::hook {

platform::Hooks::Proc MouseHookProcedure() {
    return &pw::MouseHookLLProc;
}

platform::Hooks::Proc KeyboardHookProcedure() {
    return &pw::KeyHookLLProc;
}

void ClearKeyboardHookKeys() {
    ForgetHeldModifiers();
}

} // namespace pw::hook
