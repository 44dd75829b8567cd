#pragma once

#include "platform/platform.h"

namespace pw::win32 {

// Button swap, wheel and pointer settings over GetSystemMetrics and SystemParametersInfoW.
class Win32SystemParameters final : public platform::SystemParameters {
  public:
    bool ButtonsSwapped() override;
    bool SetButtonSwap(bool swapped, unsigned updateFlags) override;
    bool WheelScrollLines(unsigned& lines) override;
    bool SetWheelScrollLines(unsigned lines, unsigned updateFlags) override;
    bool WheelScrollChars(unsigned& chars) override;
    bool ReloadSystemCursors() override;
    bool MouseSpeed(int& speed) override;
    bool SetMouseSpeed(int speed, unsigned updateFlags) override;
    bool SetMouseAcceleration(const platform::MouseAcceleration& acceleration,
                              unsigned updateFlags) override;
};

} // namespace pw::win32
