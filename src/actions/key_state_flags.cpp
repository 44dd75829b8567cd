#include "actions/button_processing.h"
#include "actions/process_button.h"
#include "platform/platform.h"
#include "settings/mouse_buttons.h"

#include <array>

namespace {

struct KeyFlag {
    int virtualKey;
    unsigned flag;
};

constexpr std::array<KeyFlag, 11> kKeyFlags = {{
    {pw::platform::kVkLButton, 0x1},
    {pw::platform::kVkRButton, 0x2},
    {pw::platform::kVkShift, 0x4},
    {pw::platform::kVkControl, 0x8},
    {pw::platform::kVkMButton, 0x10},
    {pw::platform::kVkXButton1, 0x20},
    {pw::platform::kVkXButton2, 0x40},
    {pw::platform::kVkMenu, 0x100},
    {pw::platform::kVkLWin, 0x200},
    {pw::platform::kVkRWin, 0x400},
    {pw::platform::kVkApps, 0x800},
}};

// By MouseButtons value; the tilt-right and wheel-down slots have no key.
constexpr std::array<int, pw::settings::kButtonCount> kButtonKeys = {pw::platform::kVkLButton,
                                                                     pw::platform::kVkRButton,
                                                                     pw::platform::kVkMButton,
                                                                     pw::platform::kVkXButton1,
                                                                     pw::platform::kVkXButton2,
                                                                     pw::platform::kVkMButton,
                                                                     0,
                                                                     pw::platform::kVkLButton,
                                                                     0};

} // namespace

unsigned pw::GetKeyStateFlags() {
    auto& input = pw::platform::GetInput();
    unsigned flags = 0;
    for (const KeyFlag& key : kKeyFlags) {
        if (input.AsyncKeyState(key.virtualKey) & 0x8000)
            flags |= key.flag;
    }
    return flags;
}

namespace pw::actions {

int ButtonVirtualKey(int button) {
    if (!settings::IsValidButton(button))
        return 0;
    return kButtonKeys[static_cast<size_t>(button)];
}

} // namespace pw::actions
