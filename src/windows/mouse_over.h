#pragma once

// The point the mouse-over check looks at: the mouse hook stores it and restarts the
// mouse-over timer on each movement; the timer checks the window under that point once
// the cursor stops.

#include "platform/handles.h"

// Milliseconds the cursor must rest before the check runs.
inline constexpr unsigned kMouseOverDelayMs = 150;

// The cursor point of the last movement that restarted the timer.
extern POINT g_ptMouseOver;
