#pragma once

// Scrolling the window under a point by a wheel amount, for the Scroll Window actions: by
// the scroll method of the profile that applies there, else by posting the wheel message.

#include "platform/handles.h"

namespace pw {

// Vertical: amount in wheel units, 120 a notch up. False when no window is under point.
bool veskScrollWindow(POINT point, int amount);
// Horizontal: amount in wheel units, 120 a notch right.
bool veskHScrollWindow(POINT point, int amount);

} // namespace pw
