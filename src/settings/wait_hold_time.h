#pragma once

// How long playing a keystroke text keeps a button slot busy: every typed character or
// key tag costs the per-key delay, and the pause tags ({WAIT}, {WAITMS}, {HOLD},
// {HOLDMS}) cost their own time. Only those four tag names are recognised here; the
// brace and parameter rules are the keystroke parser's.

#include "support/text.h"

namespace pw::settings {

// Longest tag name read between braces; the rest of a longer tag is read as text.
inline constexpr size_t kMaxTagName = 25;
// Time of a {WAIT} or {HOLD} without a usable number of seconds.
inline constexpr int kDefaultPauseMs = 250;

// Total time in milliseconds; perKeyMs is charged for each character and ordinary tag.
// The sum saturates at the int range rather than overflowing.
int KeystrokesWaitHoldTime(StringView keys, int perKeyMs);

} // namespace pw::settings
