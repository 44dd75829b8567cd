#include "platform/win32/win32_api.h"

#include "platform/win32/win32_system_parameters.h"

namespace pw::win32 {

bool Win32SystemParameters::ButtonsSwapped() {
    return GetSystemMetrics(SM_SWAPBUTTON) != 0;
}

bool Win32SystemParameters::SetButtonSwap(bool swapped, unsigned updateFlags) {
    // The swap state travels in the first parameter, not through the pointer.
    return SystemParametersInfoW(SPI_SETMOUSEBUTTONSWAP, swapped ? TRUE : FALSE, nullptr,
                                 updateFlags) != FALSE;
}

bool Win32SystemParameters::WheelScrollLines(unsigned& lines) {
    UINT value = 0;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &value, 0))
        return false;
    lines = value;
    return true;
}

bool Win32SystemParameters::SetWheelScrollLines(unsigned lines, unsigned updateFlags) {
    return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, updateFlags) != FALSE;
}

bool Win32SystemParameters::WheelScrollChars(unsigned& chars) {
    UINT value = 0;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLCHARS, 0, &value, 0))
        return false;
    chars = value;
    return true;
}

bool Win32SystemParameters::ReloadSystemCursors() {
    return SystemParametersInfoW(SPI_SETCURSORS, 0, nullptr, 0) != FALSE;
}

bool Win32SystemParameters::MouseSpeed(int& speed) {
    int value = 0;
    if (!SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &value, 0))
        return false;
    speed = value;
    return true;
}

bool Win32SystemParameters::SetMouseSpeed(int speed, unsigned updateFlags) {
    // The speed travels in the pointer parameter itself.
    return SystemParametersInfoW(SPI_SETMOUSESPEED, 0,
                                 reinterpret_cast<void*>(static_cast<intptr_t>(speed)),
                                 updateFlags) != FALSE;
}

bool Win32SystemParameters::SetMouseAcceleration(const platform::MouseAcceleration& acceleration,
                                                 unsigned updateFlags) {
    int values[3] = {acceleration.threshold1, acceleration.threshold2, acceleration.level};
    return SystemParametersInfoW(SPI_SETMOUSE, 0, values, updateFlags) != FALSE;
}

} // namespace pw::win32
