#pragma once

// The values every token of one send plays with: where its input goes, the key delay
// and mouse options of the settings, the markers of injected events, the English layout
// and the volume display window.

#include "input/token_output.h"
#include "platform/handles.h"
#include "platform/keyboard_layout.h"

#include <cstdint>

class CSettings;

namespace pw::input {

struct SimTokenContext {
    TokenOutput* sender = nullptr;   // required
    TokenEffects* effects = nullptr; // none: layer, brightness and display do nothing
    unsigned simKeyDelay = 0;        // "SimulatedKeys"/"Delay"
    bool razorMouse = false;
    bool officeMouse = false;
    uintptr_t keyboardMarker = 0; // extra info of injected keyboard events
    uintptr_t mouseMarker = 0;    // extra info of injected mouse events
    pw::platform::KeyboardLayoutHandle englishLayout = nullptr;
    HWND volumeOsdWindow = nullptr;
};

// Reads SimKeyDelay (a negative delay counts as 0), RazorMouse and OfficeMouse; settings
// may be null, which leaves the context as it is.
void ApplySettings(SimTokenContext& context, const CSettings* settings);

} // namespace pw::input
