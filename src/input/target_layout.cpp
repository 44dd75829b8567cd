#include "input/target_layout.h"

#include "platform/platform.h"
#include "runtime/runtime_state.h"

namespace pw::input {

TargetLayout::TargetLayout() {
    pw::platform::KeyboardLayout& keyboard = pw::platform::CurrentKeyboardLayout();
    const unsigned long thread = platform::GetWindows().ThreadProcessId(g_hLastWindow, nullptr);
    target_ = keyboard.ThreadLayout(thread);
    if (target_ && target_ != keyboard.CurrentLayout())
        replaced_ = keyboard.ActivateLayout(target_);
}

TargetLayout::~TargetLayout() {
    if (replaced_)
        pw::platform::CurrentKeyboardLayout().ActivateLayout(replaced_);
}

} // namespace pw::input
