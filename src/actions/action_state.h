#pragma once

// State the actions keep between events. Guarded by the global lock.

#include <array>
#include <cstdint>

// The system swaps the left and right buttons; selects the primary button of clicks.
extern bool g_bButtonsSwapped;
// The default key repeat interval in ms: (system keyboard delay + 1) x 250.
extern uint32_t g_dwDefaultKeyRepeat;
// The repeat interval of wheel and scroll actions in ms: 400 - 12 x keyboard speed.
extern uint32_t g_dwWheelRepeat;
// The button whose repeat timer runs; -1 when none.
extern int g_nRepeatButton;
// The zoom-in action started the magnifier and its window has not been seen since.
extern bool g_bMagnifierLaunched;
// Sticky states: 0 to 4 the sticky buttons, 5 sticky-repeat keys, 6 sticky-hold keys,
// 7 sticky movement to scroll; 0 idle, 1 active, 2 second press seen.
extern std::array<uint16_t, 8> g_nStickyState;

namespace pw::actions {

inline constexpr int kStickyMovementToScroll = 7;

// Reads the repeat intervals from the system's keyboard settings.
void ReadRepeatIntervals();

} // namespace pw::actions
