#pragma once

// Character-to-key mapping of a keyboard layout, shaped like the system's keyboard-scan
// calls. The keystroke parser reaches the layout only through this interface, so that
// it runs the same against the system's layouts and against the built-in US layout.

#include "platform/text.h"

#include <cstdint>

namespace pw::platform {

// A keyboard layout handle as the system hands it out (HKL); null means none.
using KeyboardLayoutHandle = void*;

// Map types of MapVirtualKey.
inline constexpr unsigned kMapVkToVsc = 0;
inline constexpr unsigned kMapVkToVscEx = 4;

class KeyboardLayout {
  public:
    virtual ~KeyboardLayout() = default;
    // VkKeyScanW in the calling thread's layout: virtual key in the low byte, shift state
    // (1 Shift, 2 Ctrl, 4 Alt) in the high byte; -1 when no key types the character.
    virtual int16_t VkKeyScan(Char c) = 0;
    // VkKeyScanExW in the given layout.
    virtual int16_t VkKeyScanEx(Char c, KeyboardLayoutHandle layout) = 0;
    // OemKeyScan: scan code in the low word, shift state in the high word;
    // 0xFFFFFFFF when no key types the OEM character.
    virtual uint32_t OemKeyScan(uint16_t oemChar) = 0;
    // MapVirtualKeyExW; 0 when there is no mapping.
    virtual unsigned MapVirtualKeyEx(unsigned code, unsigned mapType,
                                     KeyboardLayoutHandle layout) = 0;
    // The character converted to the OEM code page (one byte, read as signed).
    virtual int8_t CharToOem(Char c) = 0;
    // GetKeyboardLayout(0): the calling thread's layout.
    virtual KeyboardLayoutHandle CurrentLayout() = 0;
    // MapVirtualKeyW: the mapping in the calling thread's layout.
    virtual unsigned MapVirtualKey(unsigned code, unsigned mapType) {
        return MapVirtualKeyEx(code, mapType, CurrentLayout());
    }
    // GetKeyboardLayout(threadId): the layout of a thread; none for an unknown thread.
    virtual KeyboardLayoutHandle ThreadLayout(unsigned long threadId) {
        (void)threadId;
        return CurrentLayout();
    }
    // ActivateKeyboardLayout for the calling thread: the layout it replaced, none on
    // failure. A layout set without system layouts has only the one layout.
    virtual KeyboardLayoutHandle ActivateLayout(KeyboardLayoutHandle layout) {
        (void)layout;
        return CurrentLayout();
    }
    // GetKeyboardLayoutList: up to capacity installed layouts into layouts; the count.
    virtual int InstalledLayouts(KeyboardLayoutHandle* layouts, int capacity) {
        if (!layouts || capacity < 1)
            return 0;
        layouts[0] = CurrentLayout();
        return 1;
    }
    // LoadKeyboardLayoutW of a layout id such as "00000409"; none on failure.
    virtual KeyboardLayoutHandle LoadLayout(const Char* id, unsigned flags) {
        (void)id;
        (void)flags;
        return nullptr;
    }
    // UnloadKeyboardLayout of a layout LoadLayout returned.
    virtual bool UnloadLayout(KeyboardLayoutHandle layout) {
        (void)layout;
        return false;
    }
};

// The layout services of the platform: the system's layouts in the Windows build, the
// built-in US layout elsewhere. Defined by the platform implementation.
KeyboardLayout& PlatformKeyboardLayout();

// The layout services in force: the platform's unless another was installed.
KeyboardLayout& CurrentKeyboardLayout();

// Installs layout as the one in force until the returned object is destroyed.
class ScopedKeyboardLayout {
  public:
    explicit ScopedKeyboardLayout(KeyboardLayout& layout);
    ~ScopedKeyboardLayout();
    ScopedKeyboardLayout(const ScopedKeyboardLayout&) = delete;
    ScopedKeyboardLayout& operator=(const ScopedKeyboardLayout&) = delete;

  private:
    KeyboardLayout* previous_;
};

} // namespace pw::platform
