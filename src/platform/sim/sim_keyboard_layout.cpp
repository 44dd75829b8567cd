#include "platform/sim/us_keyboard_layout.h"

namespace pw::platform {

KeyboardLayout& PlatformKeyboardLayout() {
    static UsKeyboardLayout layout;
    return layout;
}

} // namespace pw::platform
