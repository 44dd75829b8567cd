#include "platform/win32/win32_api.h"

#include "platform/keyboard_layout.h"

namespace pw::win32 {
namespace {

HKL ToHkl(platform::KeyboardLayoutHandle layout) {
    return static_cast<HKL>(layout);
}

// The system's layouts and keyboard-scan calls.
class Win32KeyboardLayout final : public platform::KeyboardLayout {
  public:
    int16_t VkKeyScan(Char c) override { return ::VkKeyScanW(c); }
    int16_t VkKeyScanEx(Char c, platform::KeyboardLayoutHandle layout) override {
        return ::VkKeyScanExW(c, ToHkl(layout));
    }
    uint32_t OemKeyScan(uint16_t oemChar) override { return ::OemKeyScan(oemChar); }
    unsigned MapVirtualKeyEx(unsigned code, unsigned mapType,
                             platform::KeyboardLayoutHandle layout) override {
        return ::MapVirtualKeyExW(code, mapType, ToHkl(layout));
    }
    unsigned MapVirtualKey(unsigned code, unsigned mapType) override {
        return ::MapVirtualKeyW(code, mapType);
    }
    int8_t CharToOem(Char c) override {
        char oem[2] = {};
        const int written = ::WideCharToMultiByte(CP_OEMCP, 0, &c, 1, oem, 1, nullptr, nullptr);
        return written == 1 ? static_cast<int8_t>(oem[0]) : static_cast<int8_t>('?');
    }
    platform::KeyboardLayoutHandle CurrentLayout() override { return ::GetKeyboardLayout(0); }
    platform::KeyboardLayoutHandle ThreadLayout(unsigned long threadId) override {
        return ::GetKeyboardLayout(threadId);
    }
    platform::KeyboardLayoutHandle ActivateLayout(platform::KeyboardLayoutHandle layout) override {
        return ::ActivateKeyboardLayout(ToHkl(layout), 0);
    }
    int InstalledLayouts(platform::KeyboardLayoutHandle* layouts, int capacity) override {
        if (!layouts || capacity < 1)
            return 0;
        constexpr int kMostLayouts = 64;
        HKL found[kMostLayouts] = {};
        const int count =
            ::GetKeyboardLayoutList(capacity < kMostLayouts ? capacity : kMostLayouts, found);
        for (int i = 0; i < count; ++i)
            layouts[i] = found[i];
        return count;
    }
    platform::KeyboardLayoutHandle LoadLayout(const Char* id, unsigned flags) override {
        return ::LoadKeyboardLayoutW(id, flags);
    }
    bool UnloadLayout(platform::KeyboardLayoutHandle layout) override {
        return ::UnloadKeyboardLayout(ToHkl(layout)) != FALSE;
    }
};

} // namespace
} // namespace pw::win32

namespace pw::platform {

KeyboardLayout& PlatformKeyboardLayout() {
    static win32::Win32KeyboardLayout layout;
    return layout;
}

} // namespace pw::platform
