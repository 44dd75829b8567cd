#include "settings/mouse_buttons.h"

#include <array>

namespace pw::settings {

const Char* ButtonElementName(int button, bool officeMouse) {
    static constexpr std::array<const Char*, kButtonCount> kNames = {
        L"Left",     L"Right",     L"Middle",  L"XLeft",    L"XRight",
        L"TiltLeft", L"TiltRight", L"WheelUp", L"WheelDown"};
    if (!IsValidButton(button))
        return nullptr;
    if (officeMouse && button == mbTiltLeft)
        return L"OfficeMouseMiddle";
    if (officeMouse && button == mbTiltRight)
        return nullptr;
    return kNames[static_cast<size_t>(button)];
}

} // namespace pw::settings
