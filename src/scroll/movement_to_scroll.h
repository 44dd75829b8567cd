#pragma once

// Turning mouse movement into wheel and tilt scrolling while a "Change Movement to Scroll"
// action has it switched on. Guarded by the global lock; the hook reads the active flag on
// every movement.

#include "platform/handles.h"

#include <cstdint>

namespace pw::scroll {

enum class MovementAxisLock : int32_t { None = 0, VerticalOnly = 1, HorizontalOnly = 2 };

struct MovementToScrollState {
    bool active = false;
    bool axisLocking = false; // scroll along the dominant axis only
    bool inverted = false;    // vertical direction reversed
    POINT start{};
    int32_t offsetX = 0;
    int32_t offsetY = 0;
    uint32_t lastTime = 0;
    double factor = 0.0;
    MovementAxisLock lockState = MovementAxisLock::None;
};

// Starts scrolling by movement from pt (the axis lock state is left to the caller).
void StartMovementToScroll(POINT pt);

// Loads the movement-to-scroll cursor images (104, 108, 109) from module's resources, and
// destroys them again.
void LoadScrollCursors(HINSTANCE module);
void DestroyScrollCursors();

} // namespace pw::scroll

extern pw::scroll::MovementToScrollState g_MovementToScroll;
// Shown while movement-to-scroll is active, and once it locks to the horizontal or the
// vertical axis; null when not loaded.
extern HICON g_hScrollCursor;
extern HICON g_hHorizontalScrollCursor;
extern HICON g_hVerticalScrollCursor;

// Whether movement is currently turned into scrolling.
inline bool MovementToScrollActive() {
    return g_MovementToScroll.active;
}

namespace pw {

// Scrolls by one movement event; the event is swallowed by the caller.
void ScrollByMovement(const MSLLHOOKSTRUCT& record);
// Injects one wheel and one tilt turn (either may be 0).
void MovementToScroll(int wheel, int tilt);

} // namespace pw
