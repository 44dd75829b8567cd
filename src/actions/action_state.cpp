#include "actions/action_state.h"

#include "platform/platform.h"

bool g_bButtonsSwapped = false;
uint32_t g_dwDefaultKeyRepeat = 500;
uint32_t g_dwWheelRepeat = 28;
int g_nRepeatButton = -1;
bool g_bMagnifierLaunched = false;
std::array<uint16_t, 8> g_nStickyState{};

namespace pw::actions {

void ReadRepeatIntervals() {
    auto& system = platform::GetSystemInfo();
    g_dwDefaultKeyRepeat = (system.KeyboardDelay() + 1) * 250;
    const unsigned speed = system.KeyboardSpeed();
    g_dwWheelRepeat = 400 - 12 * (speed > 31 ? 31 : speed);
}

} // namespace pw::actions
