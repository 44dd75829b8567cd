#pragma once

// Axis locking: keeps the pointer on one horizontal or vertical line while a lock is on.
// Each movement is corrected to the locked coordinate and injected again, and the system
// cursors show which axis is held.

#include "platform/handles.h"
#include "scroll/lock_axis_api.h"

namespace pw {

// Injects the corrected movement of record: only its y move when xLocked, else only its x
// move. False when nothing could be sent.
bool MouseMove(const MSLLHOOKSTRUCT& record, bool xLocked);

} // namespace pw

namespace pw::scroll {

// Cursor resources of the library.
inline constexpr unsigned kScrollCursorId = 104;
inline constexpr unsigned kXLockCursorId = 105;
inline constexpr unsigned kYLockCursorId = 106;
inline constexpr unsigned kXYLockCursorId = 107;
inline constexpr unsigned kHorizontalScrollCursorId = 108;
inline constexpr unsigned kVerticalScrollCursorId = 109;

// Corrects a movement to the locked coordinates of g_LockAxis and injects it; true when
// an axis is locked and the incoming movement must be swallowed.
bool ApplyAxisLock(MSLLHOOKSTRUCT& record);

} // namespace pw::scroll

// The axis lock of the mouse hook.
extern CLockAxis g_LockAxis;
