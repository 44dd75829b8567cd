#pragma once

// Injected wheel and tilt turns.

namespace pw {

// One vertical wheel turn of delta (120 a notch up); false without the sender.
bool MouseWheel(int delta);
// One horizontal wheel turn of delta (120 a notch right); false without the sender.
bool MouseTilt(int delta);

} // namespace pw
