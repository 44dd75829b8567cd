#include "input/map_virtual_key.h"

#include "support/logger.h"

namespace pw::input {

unsigned MapVirtualKeyLayout(unsigned code, unsigned mapType,
                             pw::platform::KeyboardLayoutHandle layout) {
    pw::platform::KeyboardLayout& keyboard = pw::platform::CurrentKeyboardLayout();
    if (layout)
        return keyboard.MapVirtualKeyEx(code, mapType, layout);
    if (CLogger::DebugEnabled())
        CLogger::LogDebug(L"MapVirtualKey(%d, %d): No keyboard layout loaded! Using MapVirtualKey "
                          L"instead of MapVirtualKeyEx",
                          code, mapType);
    return keyboard.MapVirtualKey(code, mapType);
}

} // namespace pw::input
