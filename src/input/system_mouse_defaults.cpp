#include "input/system_mouse_defaults.h"

#include "platform/platform.h"

pw::input::SystemMouseDefaults g_SystemMouseDefaults;

namespace pw::input {

namespace {
constexpr unsigned kFallbackLines = 3;
constexpr unsigned kFallbackChars = 3;
} // namespace

SystemMouseDefaults ReadSystemMouseDefaults() {
    using platform::SystemParameters;
    SystemParameters& system = platform::GetSystemParameters();
    SystemMouseDefaults defaults;
    defaults.buttonsSwapped = system.ButtonsSwapped();

    unsigned lines = 0;
    if (!system.WheelScrollLines(lines))
        lines = 0;
    defaults.scrollLinesRead = lines;
    defaults.scrollLines = lines ? lines : kFallbackLines;
    defaults.pageScroll = lines == SystemParameters::kWheelPageScroll;

    unsigned chars = 0;
    if (!system.WheelScrollChars(chars))
        chars = 0;
    defaults.scrollChars =
        (chars == 0 || chars == SystemParameters::kWheelPageScroll) ? kFallbackChars : chars;
    return defaults;
}

} // namespace pw::input

void pw::CaptureSystemMouseDefaults() {
    g_SystemMouseDefaults = pw::input::ReadSystemMouseDefaults();
}
