#pragma once

// The action codes (settings/action_codes.h) with their display names and the defaults
// that go with them.

#include "settings/action_codes.h"
#include "support/text.h"

#include <cstdint>

namespace pw::settings {

// The display name every log line uses for an action; "Unknown Action" outside 0 to 132.
const Char* ActionDisplayName(int action);

// Whether a slot with this action does not count as a real assignment when working out
// the highest layer a loaded profile uses. The default profile has turned 74 into 40
// already, so 74 is neutral only in application profiles.
bool IsNeutralAction(int action, bool defaultProfile);

// The layer (0-based) that "Layer 1" to "Layer 10" select; -1 for any other action.
int LayerOfAction(int action);

// The label the profile log appends for a send mode; "(unknown)" outside 0 to 8.
const Char* SendKeyModeLabel(int mode);

// The default repeat interval in milliseconds for a keyboard repeat speed of 0 (slow)
// to 31 (fast): 400 - speed * 11.8, truncated. Faster speeds count as 31.
unsigned long RepeatIntervalForKeyboardSpeed(unsigned speed);

} // namespace pw::settings
