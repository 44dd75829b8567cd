#pragma once

// Turning mouse movement into wheel and tilt scrolling while the "Change Movement to
// Scroll" actions have it switched on.
//
// Stand-in: the mode is never active yet.

#include "platform/handles.h"

// Whether movement is currently turned into scrolling.
inline bool MovementToScrollActive() {
    return false;
}

// Scrolls by one movement event; the event is swallowed by the caller.
inline void ScrollByMovement(const MSLLHOOKSTRUCT&) {}
