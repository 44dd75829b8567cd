#pragma once

#include "platform/keyboard_layout.h"

namespace pw::input {

// MapVirtualKeyEx in layout when one is given, else MapVirtualKey in the calling thread's
// layout (logged when debugging).
unsigned MapVirtualKeyLayout(unsigned code, unsigned mapType,
                             pw::platform::KeyboardLayoutHandle layout);

} // namespace pw::input
