#pragma once

namespace pw::scroll {

// Puts the scroll layer's state back as the library has it when it is loaded: no scroll
// timer data and no movement to scroll.
void ResetScrollState();

} // namespace pw::scroll
