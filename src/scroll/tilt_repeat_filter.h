#pragma once

// Recognises the auto-repeat of a tilt wheel held to one side by the spacing of its
// messages, so that one tilt gives one action.

#include <cstdint>

namespace pw::scroll {

// Whether the tilt message of event time stamp time repeats the current burst, measured
// against repeatDelay (ms). A repeat moves the last time on; a new tilt opens a burst
// (the caller moves the last time on once it has handled it).
bool IsTiltRepeat(uint32_t time, uint32_t repeatDelay);

} // namespace pw::scroll

// Event time stamps of the first message of the current tilt burst and of the last tilt
// message seen. Guarded by the global lock.
extern uint32_t g_dwTiltFirst;
extern uint32_t g_dwTiltLast;
