#pragma once

// The smallest window at a point among the descendants of the window that contains it:
// the plain window-from-point query stops at the topmost window, which may be a large
// panel covering the button the user points at.

#include "platform/handles.h"

namespace pw::windows {

// Among the descendants of the window above start (start itself when it has no parent,
// is a popup or is topmost), the one with the smallest window rectangle containing pt.
// Hidden windows count only with includeHidden. Of two equal rectangles the later one
// replaces an earlier "static" control. start itself when start is an MDI child; the
// window searched when nothing contains pt.
HWND SmallestChildAt(HWND start, POINT pt, bool includeHidden);

} // namespace pw::windows
