#pragma once

// The US-English keyboard layout (QWERTY, scan code set 1), answering every layout
// handle alike. It is the layout of builds without the system's layouts and of tests.

#include "platform/keyboard_layout.h"

namespace pw::platform {

class UsKeyboardLayout final : public KeyboardLayout {
  public:
    // The handle CurrentLayout reports (the system's value of US English).
    static inline KeyboardLayoutHandle const kHandle =
        reinterpret_cast<KeyboardLayoutHandle>(uintptr_t{0x04090409});

    int16_t VkKeyScan(Char c) override;
    int16_t VkKeyScanEx(Char c, KeyboardLayoutHandle layout) override;
    uint32_t OemKeyScan(uint16_t oemChar) override;
    unsigned MapVirtualKeyEx(unsigned code, unsigned mapType, KeyboardLayoutHandle layout) override;
    int8_t CharToOem(Char c) override;
    KeyboardLayoutHandle CurrentLayout() override { return kHandle; }
};

} // namespace pw::platform
