#include "input/target_layout.h"

#include "platform/platform.h"
#include "runtime/runtime_state.h"

namespace pw::input {

TargetLayout::TargetLayout() {
    KeyboardLayout& keyboard = CurrentKeyboardLayout();
    const unsigned long thread = platform::GetWindows().ThreadProcessId(g_hLastWindow, nullptr);
    target_ = keyboard.ThreadLayout(thread);
    if (target_ && target_ != keyboard.CurrentLayout())
        replaced_ = keyboard.ActivateLayout(target_);
}

TargetLayout::~TargetLayout() {
    if (replaced_)
        CurrentKeyboardLayout().ActivateLayout(replaced_);
}

} // namespace pw::input
