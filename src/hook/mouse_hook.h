#pragma once

// The low-level mouse hook procedure and the wheel and movement state it keeps.

#include "platform/handles.h"
#include "runtime/runtime_state.h"

#include <array>
#include <cstdint>

namespace pw {

// The hook procedure the hook thread installs. wParam is the mouse message, lParam the
// event record (MSLLHOOKSTRUCT). Returns the next hook's result when the event passes on,
// 1 when it is swallowed.
LRESULT MouseHookLLProc(int nCode, WPARAM wParam, LPARAM lParam);

// Whether wheel throttling may apply to wheel button: false when its action is a click or
// simulated keys (which must see every notch), true otherwise and without a profile.
bool ThrottleScrollWheel(int button);

} // namespace pw

// Wheel throttling: the start tick and button (WheelUp or WheelDown, 0 when cleared) of
// the last processed notch, and whether its action injected input of its own.
extern uint32_t g_dwLastWheelTick;
extern int g_nLastWheelButton;
extern bool g_bThrottleWheel;
// The cursor point of the previous movement event.
extern POINT g_ptLastMove;

namespace pw::hook {

// Clears the wheel throttle and last-movement state.
void ResetMouseHookState();

// De-bouncing of worn mouse switches: a press that follows the last counted press (or
// release) of the same button within the configured time is a bounce, and so is the
// release that belongs to it.
struct DebounceEntry {
    uint32_t lastTime = 0; // event time of the last counted press (or release)
    bool bounced = false;  // the last press was a bounce
};

void ResetDebounce();

} // namespace pw::hook

// By MouseButtons value; only Left to XRight are used.
extern std::array<pw::hook::DebounceEntry, pw::runtime::kButtonCount> g_Debounce;
