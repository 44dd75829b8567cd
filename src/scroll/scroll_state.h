#pragma once

namespace pw::scroll {

// Puts the scroll layer's state back as the library has it when it is loaded: no queue
// timer running, no scroll timer data, no tilt burst and no movement to scroll.
void ResetScrollState();

} // namespace pw::scroll
