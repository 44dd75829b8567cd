#pragma once

// The pieces of MouseHookLLProc: one event's working state and the paths it runs.

#include "platform/handles.h"

#include <cstdint>

class CSettings;

namespace pw::hook {

// How a path ends: through the common exit (timing check, then swallow or pass by the
// event's flags), or at once without the timing check.
enum class HookOutcome {
    Exit,
    SwallowNow,
    PassNow,
};

struct MouseEvent {
    int code = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    unsigned message = 0;
    MSLLHOOKSTRUCT* record = nullptr;
    uint32_t start = 0; // tick count on entry
    bool handled = false;
    bool passOriginal = false;
    bool keysSent = false;
    bool injected = false;
    bool fastWheel = false;
};

HookOutcome RunButtonPath(MouseEvent& event);
HookOutcome RunMovementPath(MouseEvent& event);
// The vertical wheel and tilt steps of the button path, with the global lock held.
HookOutcome RunVerticalWheel(MouseEvent& event, const CSettings& settings);
HookOutcome RunTilt(MouseEvent& event, const CSettings& settings);

// The action of button on the current layer of the current profile, following the
// default-profile indirection (and the layer-1 one when sameAsLayer1 is set); actNoChange
// for an invalid slot. The current profile must exist.
int CurrentWheelAction(int button, bool sameAsLayer1);

} // namespace pw::hook
