#include "actions/action_state.h"

#include "actions/button_processing.h"
#include "actions/sticky_keys.h"

#include "platform/platform.h"

bool g_bButtonsSwapped = false;
uint32_t g_dwDefaultKeyRepeat = 500;
uint32_t g_dwWheelRepeat = 28;
int g_nRepeatButton = -1;
bool g_bMagnifierLaunched = false;
std::array<uint16_t, 8> g_nStickyState{};

int g_nLastQuadrant = 0;
std::array<bool, 9> g_bDownHandled{};
std::array<bool, 9> g_bChordUsed{};
CVESKChord* g_pCurrentChord = nullptr;
bool g_bQuadrantRestricted = false;

namespace pw::actions {

void ReadRepeatIntervals() {
    auto& system = platform::GetSystemInfo();
    g_dwDefaultKeyRepeat = (system.KeyboardDelay() + 1) * 250;
    const unsigned speed = system.KeyboardSpeed();
    g_dwWheelRepeat = 400 - 12 * (speed > 31 ? 31 : speed);
}

bool DownWasHandled(int button) {
    return button >= 0 && static_cast<size_t>(button) < g_bDownHandled.size() &&
           g_bDownHandled[static_cast<size_t>(button)];
}

void ResetActionState() {
    g_bButtonsSwapped = false;
    g_nRepeatButton = -1;
    g_bMagnifierLaunched = false;
    g_nStickyState = {};
    g_nLastQuadrant = 0;
    g_bDownHandled.fill(false);
    g_bChordUsed.fill(false);
    g_pCurrentChord = nullptr;
    ForgetHeldPresses();
    ForgetStickyHold();
    g_bQuadrantRestricted = false;
}

} // namespace pw::actions
