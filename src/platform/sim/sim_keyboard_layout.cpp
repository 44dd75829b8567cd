#include "platform/sim/us_keyboard_layout.h"

namespace pw::input {

KeyboardLayout& PlatformKeyboardLayout() {
    static UsKeyboardLayout layout;
    return layout;
}

} // namespace pw::input
