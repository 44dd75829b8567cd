#pragma once

// The window the keyboard goes to: the focus window of the foreground window's thread.

#include "platform/handles.h"

namespace pw::windows {

// The focus window of the foreground window's GUI thread; the foreground window itself
// when that thread reports none; null without a foreground window.
HWND FocusWindowOfForeground();

} // namespace pw::windows
