#pragma once

// State the actions keep between events. Guarded by the global lock.

#include <array>
#include <cstdint>

class CVESKChord;

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

// Button processing.
extern int g_nLastQuadrant;                // WINDOWMASK bit of g_hLastWindow last seen
extern std::array<bool, 9> g_bDownHandled; // per button: its last press was handled
extern std::array<bool, 9> g_bChordUsed;   // per button: ignore its next release
extern CVESKChord* g_pCurrentChord;        // the chord being played, or null
extern bool g_bQuadrantRestricted;         // the current profile applies to some quarters only

namespace pw::actions {

inline constexpr int kStickyMovementToScroll = 7;

// Event kinds handed from the hook procedures.
inline constexpr int kKindDown = 1;
inline constexpr int kKindUp = 2;
inline constexpr int kKindDoubleClick = 3;

// Whether the last press of button was handled by an action (false for invalid buttons).
bool DownWasHandled(int button);

// Reads the repeat intervals from the system's keyboard settings.
void ReadRepeatIntervals();

// Puts the action state back as the library has it when it is loaded (the repeat
// intervals are read again at load).
void ResetActionState();

} // namespace pw::actions
