#pragma once

// Millisecond pauses short enough to matter inside a hook procedure.

namespace pw {

// Pauses for ms milliseconds: nothing for 0; below 16 ms a busy wait on the performance
// counter when the system has one (the scheduler's sleep is too coarse there); otherwise
// an ordinary sleep.
void PreciseSleep(unsigned ms);

} // namespace pw
